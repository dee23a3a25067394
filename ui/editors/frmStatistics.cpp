#include "ui/editors/frmStatistics.h"

#include "core/Variables.h"
#include "ui/editors/BaseWindows.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace BaseWindows;

namespace {

// A caption with its number just to its right; the number moves further right when the caption's font on this
// system is wider than the one the window was drawn with, so that the two never overlap.
void placePair(QLabel* caption, QLabel* value, int top, int captionWidth, int valueLeft) {
    placeLabel(caption, 120, top, captionWidth, 210);
    placeLabel(value, valueLeft, top, 105, 210);
    value->resize(value->sizeHint().width(), value->height());
    if (caption->geometry().right() >= value->x())
        value->move(caption->geometry().right() + 1, value->y());
}

} // namespace

frmStatistics::frmStatistics(const Variables& v, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmStatistics"));
    setFont(tahoma(8.25));
    setUpWindow(*this, QStringLiteral("Статистика"), 3975, 1995);

    QLabel* lblMain = label(this, "lblMain", QStringLiteral("Talkomat знает:"));
    QFont heading = tahoma(9.75);
    heading.setBold(true);
    lblMain->setFont(heading);
    QPalette red = lblMain->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblMain->setPalette(red);

    auto* frMain = new QGroupBox(this);
    frMain->setObjectName(QStringLiteral("frMain"));
    frMain->setFont(tahoma(9));

    QLabel* lblAnswersNum = label(frMain, "lblAnswersNum", QStringLiteral("Ответов на реплики человека - "));
    QLabel* lblA = label(frMain, "lblA", QStringLiteral("0"));
    QLabel* lblQuestionsNum = label(frMain, "lblQuestionsNum", QStringLiteral("Вопросов - "));
    QLabel* lblQ = label(frMain, "lblQ", QStringLiteral("0"));
    QLabel* lblSinonimsNum = label(frMain, "lblSinonimsNum", QStringLiteral("Синонимичных пар - "));
    QLabel* lblS = label(frMain, "lblS", QStringLiteral("0"));

    QPushButton* Command1 = button(this, "Command1", QStringLiteral("OK"));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    lblA->setText(QString::number(lblA->text().toInt() + v.AnswerCount / 2));
    lblQ->setText(QString::number(lblQ->text().toInt() + v.QuestionCount));
    lblS->setText(QString::number(lblS->text().toInt() + v.SynonymCount / 2));

    placeLabel(lblMain, 120, 120, 2205, 240);
    place(frMain, 120, 360, 3735, 1095);
    placePair(lblAnswersNum, lblA, 240, 2775, 3000);
    placePair(lblQuestionsNum, lblQ, 480, 990, 1200);
    placePair(lblSinonimsNum, lblS, 720, 1815, 2040);
    place(Command1, 1560, 1560, 975, 375);

    // A substitute for Tahoma may be wide enough to push a long count past the frame: the frame and the window
    // then grow by as much, rather than cut the number off.
    const int margin = lblAnswersNum->x();
    int needed = 0;
    for (const QLabel* value : {lblA, lblQ, lblS})
        needed = qMax(needed, value->geometry().right() + 1 + margin);
    if (const int grow = needed - frMain->width(); grow > 0) {
        frMain->resize(frMain->width() + grow, frMain->height());
        Command1->move(Command1->x() + grow / 2, Command1->y());
        setClientSize(*this, QSize(width() + grow, height()));
    }
}
