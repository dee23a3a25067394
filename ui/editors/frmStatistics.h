#pragma once

#include <QDialog>

struct Variables;

// How much the program knows at the moment it is opened: answers, questions and synonym pairs.
class frmStatistics : public QDialog {
    Q_OBJECT
public:
    explicit frmStatistics(const Variables& v, QWidget* parent = nullptr);
};
