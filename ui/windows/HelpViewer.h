#pragma once

#include <QWidget>

class QTextBrowser;

// Shows the help file: HTML whose topics are anchors named "topic1", "topic2", ...
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    void openTopic(const QString& helpFile, int topic);
    QTextBrowser* browser() const { return m_browser; }

    static QString decodeHelp(const QByteArray& bytes);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void placeOver(const QWidget* over);

    QTextBrowser* m_browser;
    QString m_anchor;
    bool m_placed = false;
};
