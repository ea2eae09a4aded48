#pragma once

#include <QWidget>

// The band across the top of every window, in place of the system's title bar: the window's
// title, optionally a smaller subtitle and the version. Its mouse handling belongs to
// WindowChrome; the glyph buttons lie on top of it as siblings.
class TitleStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TitleStrip)

public:
    static constexpr int kHeight = 32;

    explicit TitleStrip(const QString &title, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    void setSubtitle(const QString &subtitle);
    void setVersion(const QString &version);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_subtitle;
    QString m_version;
};
