#include "ui/main/MenuTree.h"

#include "core/Merge.h"

std::span<const MenuEntry> menuTree() {
    using K = MenuEntry::Kind;
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    // clang-format off
    static const MenuEntry entries[] = {
        {K::Menu,      "mnuMain",         nullptr,          QStringLiteral("Диалог"), {}},
        {K::Command,   "mnuNewDialog",    "mnuMain",        QStringLiteral("Новый"), ctrl(Qt::Key_N)},
        {K::Command,   "mnuOpen",         "mnuMain",        QStringLiteral("Открыть..."), ctrl(Qt::Key_O)},
        {K::Separator, "mnuSeparator7",   "mnuMain",        {}, {}},
        {K::Command,   "mnuSave",         "mnuMain",        QStringLiteral("Сохранить"), ctrl(Qt::Key_S)},
        {K::Command,   "mnuSaveAs",       "mnuMain",        QStringLiteral("Сохранить как..."), {}},
        {K::Command,   "mnuStop",         "mnuMain",        QStringLiteral("Завершить"), ctrl(Qt::Key_E)},
        {K::Separator, "mnuSeparator6",   "mnuMain",        {}, {}},
        {K::Command,   "mnuSaveFile",     "mnuMain",        QStringLiteral("Записать"), {}},
        {K::Command,   "mnuList",         "mnuMain",        QStringLiteral("Журнал..."), ctrl(Qt::Key_L)},
        {K::Separator, "mnuSeparator5",   "mnuMain",        {}, {}},
        {K::Command,   "mnuPrint",        "mnuMain",        QStringLiteral("Печать..."), ctrl(Qt::Key_P)},
        {K::Separator, "mnuSeparator",    "mnuMain",        {}, {}},
        {K::Command,   "mnuExit",         "mnuMain",        QStringLiteral("Выход"), ctrl(Qt::Key_Q)},

        {K::Menu,      "mnuView",         nullptr,          QStringLiteral("Вид"), {}},
        {K::Menu,      "mnuDialogWindow", "mnuView",        QStringLiteral("Окно диалога"), {}},
        {K::Command,   "mnuColor",        "mnuDialogWindow",QStringLiteral("цвет..."), {}},
        {K::Command,   "mnuFont",         "mnuDialogWindow",QStringLiteral("шрифт..."), {}},
        {K::Separator, "mnuSeparator4",   "mnuView",        {}, {}},
        {K::Command,   "mnuKeys",         "mnuView",        QStringLiteral("Клавиатура"), ctrl(Qt::Key_K)},

        {K::Menu,      "mnuOptions",      nullptr,          QStringLiteral("Опции"), {}},
        {K::Menu,      "mnuStartDialog",  "mnuOptions",     QStringLiteral("Начинает диалог"), {}},
        {K::Command,   "mnuHuman",        "mnuStartDialog", QStringLiteral("человек"), {}},
        {K::Command,   "mnuProgramm",     "mnuStartDialog", QStringLiteral("программа"), {}},
        {K::Command,   "nmuHumanName",    "mnuOptions",     QStringLiteral("Имя человека..."), {}},

        {K::Menu,      "mnuBases",        nullptr,          QStringLiteral("Базы знаний"), {}},
        {K::Command,   "mnuCreate",       "mnuBases",       QStringLiteral("Создать"), ctrl(Qt::Key_M)},
        {K::Command,   "mnuChoose",       "mnuBases",       QStringLiteral("Выбрать..."), ctrl(Qt::Key_T)},
        {K::Menu,      "mnuSplit",        "mnuBases",       QStringLiteral("Слить"), {}},
        // The merge sources' captions before either is chosen; choosing one adds its name.
        {K::Command,   "mnuFirstBase",    "mnuSplit",       Merge::firstCaption(), {}},
        {K::Command,   "mnuSecondBase",   "mnuSplit",       Merge::secondCaption(), {}},
        {K::Separator, "mnuSeparator2",   "mnuSplit",       {}, {}},
        {K::Command,   "mnuRunSplit",     "mnuSplit",       QStringLiteral("слить"), {}},
        {K::Menu,      "mnuChange",       "mnuBases",       QStringLiteral("Редактировать"), {}},
        {K::Command,   "mnuAnswers",      "mnuChange",      QStringLiteral("базу знаний ответов"), {}},
        {K::Command,   "mnuQuestions",    "mnuChange",      QStringLiteral("базу знаний вопросов"), {}},
        {K::Command,   "mnuSinonim",      "mnuChange",      QStringLiteral("базу знаний синонимов"), {}},
        {K::Separator, "mnuSeparator8",   "mnuBases",       {}, {}},
        {K::Command,   "mnuStatistics",   "mnuBases",       QStringLiteral("Статистика..."), {}},

        {K::Menu,      "mnuInfo",         nullptr,          QStringLiteral("Справка"), {}},
        {K::Command,   "mnuHelp",         "mnuInfo",        QStringLiteral("Помощь"), QKeySequence(Qt::Key_F1)},
        {K::Command,   "mnuAbout",        "mnuInfo",        QStringLiteral("О программе..."), {}},
    };
    // clang-format on
    return entries;
}
