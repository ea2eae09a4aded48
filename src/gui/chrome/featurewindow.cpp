#include "featurewindow.h"
#include "pictureregistry.h"

#include "cjkfont.h"
#include "hcommand.h"
#include "palette.h"
#include "titlestrip.h"
#include "windowchrome.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QShortcut>

FeatureWindow::FeatureWindow(const QString &title, const QSize &size, QWidget *parent, Face face)
    : QDialog(parent)
    , m_face(face)
{
    setFixedSize(size);
    setWindowTitle(title);
    m_strip = new TitleStrip(title, this);
    m_strip->setGeometry(0, 0, size.width(), TitleStrip::kHeight);
    m_chrome = new WindowChrome(this);
    m_chrome->setTitleStrip(m_strip);
    m_chrome->addButtonResetSurface(m_strip);
}

QWidget *FeatureWindow::addBand(int height)
{
    m_bandHeight = height;
    QWidget *band = WindowChrome::addBand(this, { 0, bandTop(), width(), height });
    m_chrome->addButtonResetSurface(band);
    band->lower();
    return band;
}

int FeatureWindow::bandTop() const
{
    return TitleStrip::kHeight;
}

QLabel *FeatureWindow::addLabel(const QString &text, const QRect &geometry, qreal points)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(geometry);
    label->setFont(cjkFont(points));
    return label;
}

QLabel *FeatureWindow::addHint(const QString &text, const QRect &geometry)
{
    QLabel *hint = addLabel(text, geometry, 9);
    hint->setStyleSheet(palette::inkStyle(palette::kQuietInk));
    return hint;
}

HCommand *FeatureWindow::makeCloseGlyph(qint16 index, const QString &toolTip)
{
    auto *glyph = new HCommand(picture::kCloseGlyph, index, this);
    const QSize size = glyph->sizeHint();
    glyph->move(width() - size.width() - kButtonGap, (TitleStrip::kHeight - size.height()) / 2);
    glyph->setToolTip(toolTip);
    return glyph;
}

void FeatureWindow::placeInButtonRow(HCommand *button, int place)
{
    const int right = width() - kMargin - place * (kButtonWidth + kButtonGap);
    button->move(right - kButtonWidth, bandTop() + (m_bandHeight - kButtonHeight) / 2);
}

void FeatureWindow::setButtons(const QList<HCommand *> &buttons)
{
    m_chrome->setButtons(buttons);
}

QShortcut *FeatureWindow::addShortcut(const QKeySequence &key, const std::function<void()> &action)
{
    auto *shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, action] {
        if (!closeOpenList())
            action();
    });
    return shortcut;
}

bool FeatureWindow::runOrReport(
    const QString &failed, const std::function<void()> &work, Report report)
{
    return ::runOrReport(this, failed, work, report);
}

void FeatureWindow::leave()
{
    if (mayLeave())
        closeNow();
}

void FeatureWindow::closeNow()
{
    m_closing = true;
    accept();
}

void FeatureWindow::reject()
{
    if (!closeOpenList())
        leave();
}

bool FeatureWindow::closeOpenList()
{
    // A key meant for an open drop-down list must not reach the window behind it: Esc would
    // close the window, and a sheet just made in it, instead of the list.
    QWidget *popup = QApplication::activePopupWidget();
    if (popup == nullptr || !isAncestorOf(popup->parentWidget()))
        return false;
    popup->close();
    return true;
}

void FeatureWindow::closeEvent(QCloseEvent *event)
{
    // Closed by the window manager: the window goes the way its close glyph takes it.
    if (!m_closing) {
        event->ignore();
        leave();
        return;
    }
    QDialog::closeEvent(event);
}

void FeatureWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_face == Face::Sky || m_face == Face::Paper) {
        const bool sky = m_face == Face::Sky;
        WindowChrome::paintFrame(painter, size(),
            sky ? palette::kAboutFaceTop : palette::kNewsFaceTop,
            sky ? palette::kAboutFaceBottom : palette::kNewsFaceBottom);
        return;
    }
    const bool blue = m_face == Face::Blue;
    painter.fillRect(rect(), QColor(blue ? palette::kFace : palette::kCreamFace));
    WindowChrome::paintOutline(
        painter, size(), blue ? palette::kFaceOutline : palette::kCreamOutline);
}
