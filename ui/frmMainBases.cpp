// The main window's menu commands for the base editors, statistics, choosing and creating bases, the merge.
#include "ui/frmMain.h"

#include "core/Bases.h"
#include "core/Merge.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/frmAnswers.h"
#include "ui/frmQuestions.h"
#include "ui/frmSinonims.h"
#include "ui/frmStatistics.h"

#include <QAction>
#include <QDir>

namespace {

QString baseFilter() {
    return QStringLiteral("Базы знаний ответов (*.tka)|*.tka|Базы знаний вопросов (*.tkq)|*.tkq|Базы знаний "
                          "синонимов (*.tks)|*.tks");
}

} // namespace

void frmMain::connectBaseMenus() {
    connect(menuItem("mnuAnswers"), &QAction::triggered, this, [this] {
        frmAnswers editor(m_v, m_dialogs, this);
        m_dialogs.execModal(editor);
    });
    connect(menuItem("mnuQuestions"), &QAction::triggered, this, [this] {
        frmQuestions editor(m_v, m_dialogs, this);
        m_dialogs.execModal(editor);
    });
    connect(menuItem("mnuSinonim"), &QAction::triggered, this, [this] {
        frmSinonims editor(m_v, m_dialogs, this);
        m_dialogs.execModal(editor);
    });
    connect(menuItem("mnuStatistics"), &QAction::triggered, this, [this] {
        frmStatistics statistics(m_v, this);
        m_dialogs.execModal(statistics);
    });

    connect(menuItem("mnuChoose"), &QAction::triggered, this, [this] {
        const std::optional<QString> path =
            m_dialogs.openFile(this, QStringLiteral("Выбор базы знаний"), baseFilter(), m_folder.path());
        if (!path)
            return;
        QString* option = nullptr;
        Result<> (*load)(Variables&, const ProgramFolder&) = nullptr;
        switch (baseKindOf(*path)) {
        case BaseKind::Answers:
            option = &m_v.AnswerBaseFile;
            load = LoadAnswers;
            break;
        case BaseKind::Questions:
            option = &m_v.QuestionBaseFile;
            load = LoadQuestions;
            break;
        case BaseKind::Synonyms:
            option = &m_v.SynonymBaseFile;
            load = LoadSinonims;
            break;
        case BaseKind::None:
            break;
        }
        Result<> loaded;
        if (option) {
            const QString previous = *option;
            *option = *path;
            {
                BusyCursor busy(this);
                loaded = load(m_v, m_folder);
            }
            // The loader keeps the previous base when the file cannot be read; the option goes back with it, so
            // that the base in memory and the file it is saved to stay one pair.
            if (!loaded)
                *option = previous;
        }
        const Result<> saved = Options::SaveOptions(m_v, m_folder.resolve(Options::optionsFileName()));
        QStringList problems;
        if (!loaded)
            problems.append(loaded.error + QStringLiteral("\r\nОставлена прежняя база знаний."));
        if (!saved)
            problems.append(saved.error);
        if (!problems.isEmpty())
            m_dialogs.message(this, problems.join(QStringLiteral("\r\n")), QStringLiteral("Ошибка"),
                              Dialogs::Icon::Critical);
    });

    connect(menuItem("mnuCreate"), &QAction::triggered, this, [this] {
        const std::optional<QString> path =
            m_dialogs.saveFile(this, QStringLiteral("Создание базы знаний"), baseFilter(), m_folder.path(), {});
        if (!path)
            return;
        Result<> created;
        {
            BusyCursor busy(this);
            created = TextFile::writeLines(*path, {});
        }
        if (!created)
            m_dialogs.message(this, created.error, QStringLiteral("Ошибка"), Dialogs::Icon::Critical);
    });

    QAction* mnuFirstBase = menuItem("mnuFirstBase");
    QAction* mnuSecondBase = menuItem("mnuSecondBase");
    // Ready only when both sources are chosen, of one kind and not the same file; choosing one source un-chooses
    // the other when it no longer fits, though its path is kept.
    const auto chooseSource = [this, mnuFirstBase, mnuSecondBase](bool first) {
        const std::optional<QString> path = m_dialogs.openFile(
            this, first ? QStringLiteral("Выбор 1-й базы знаний") : QStringLiteral("Выбор 2-й базы знаний"),
            Merge::sourceFilter(), m_folder.path());
        if (!path)
            return;
        QString& chosen = first ? m_v.MergeFirstBaseFile : m_v.MergeSecondBaseFile;
        const QString& other = first ? m_v.MergeSecondBaseFile : m_v.MergeFirstBaseFile;
        QAction* chosenItem = first ? mnuFirstBase : mnuSecondBase;
        QAction* otherItem = first ? mnuSecondBase : mnuFirstBase;
        const QString otherPlain = first ? Merge::secondCaption() : Merge::firstCaption();
        chosen = *path;
        // A menu takes "&" as the mark of a shortcut letter; a path may hold one as it is.
        QString caption = first ? Merge::firstCaption(chosen) : Merge::secondCaption(chosen);
        chosenItem->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        if (other.right(4) != chosen.right(4))
            otherItem->setText(otherPlain);
        if (other == chosen)
            otherItem->setText(otherPlain);
        const bool ready =
            mnuFirstBase->text() != Merge::firstCaption() && mnuSecondBase->text() != Merge::secondCaption();
        m_mnuRunSplit->setVisible(ready);
        m_mnuSeparator2->setVisible(ready);
    };
    connect(mnuFirstBase, &QAction::triggered, this, [chooseSource] { chooseSource(true); });
    connect(mnuSecondBase, &QAction::triggered, this, [chooseSource] { chooseSource(false); });

    connect(m_mnuRunSplit, &QAction::triggered, this, [this] {
        const std::optional<QString> target =
            m_dialogs.saveFile(this, QStringLiteral("Выбор базы знаний для слияния"),
                               Merge::targetFilter(m_v.MergeFirstBaseFile), m_folder.path(), {});
        if (!target)
            return;
        Result<> merged;
        {
            BusyCursor busy(this);
            merged = Merge::MergeBases(m_v.MergeFirstBaseFile, m_v.MergeSecondBaseFile, *target);
        }
        if (merged)
            m_dialogs.message(this, Merge::doneMessage(), QStringLiteral("Сообщение"), Dialogs::Icon::Information);
        else
            m_dialogs.message(this, Merge::failedMessage(), QStringLiteral("Ошибка"), Dialogs::Icon::Critical);
    });
}
