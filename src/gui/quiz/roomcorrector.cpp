#include "roomcorrector.h"

#include "chrome/palette.h"
#include "quizlayout.h"

#include "cjkfont.h"
#include "pageframe.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using namespace quizlayout::photos;

namespace {

QLabel *addText(QVBoxLayout *column, qreal points, QRgb ink, bool bold = false)
{
    auto *label = new QLabel(column->parentWidget());
    label->setFont(cjkFont(points, bold));
    label->setStyleSheet(palette::inkStyle(ink, bold));
    label->setWordWrap(true);
    column->addWidget(label);
    return label;
}

// The room with a margin of the page around it, so that a digit written over the room's edge
// is seen whole, scaled to the crop's box at the screen's resolution.
QPixmap enlargedRoom(const QImage &page, const QRectF &room, const QSize &box, qreal ratio)
{
    const QRectF pixels(pageframe::pixelRect(room));
    const QRectF around = pixels.adjusted(-pixels.height() * 0.35, -pixels.height() * 0.35,
        pixels.height() * 0.35, pixels.height() * 0.35);
    const QRect cut = around.toAlignedRect() & page.rect();
    const QImage piece = page.copy(cut);
    QPixmap shown(box * ratio);
    shown.setDevicePixelRatio(ratio);
    shown.fill(Qt::white);
    if (piece.isNull())
        return shown;
    QPainter painter(&shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF fitted = QSizeF(piece.size()).scaled(QSizeF(box), Qt::KeepAspectRatio);
    const QRectF target((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2,
        fitted.width(), fitted.height());
    painter.drawImage(target, piece);
    // The room itself, as the reader looked at it.
    const double scale = fitted.width() / cut.width();
    painter.setPen(QPen(QColor(palette::kOutline), 1.5, Qt::DashLine));
    painter.drawRect(QRectF(
        target.topLeft() + (pixels.topLeft() - cut.topLeft()) * scale, pixels.size() * scale));
    return shown;
}

} // namespace

RoomCorrector::RoomCorrector(QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    addText(column, 10.5, palette::kInk, true)->setText(u"核对答案"_s);
    m_question = addText(column, 12, palette::kInk);
    m_crop = new QLabel(this);
    m_crop->setFixedSize(kCropBox);
    m_crop->setStyleSheet(
        u"border: 1px solid %1; background: white;"_s.arg(palette::css(palette::kBandRule)));
    column->addWidget(m_crop);
    m_read = addText(column, 9, palette::kQuietInk);
    addText(column, 10, palette::kInk)->setText(u"纸上写的是："_s);
    m_box = new QLineEdit(this);
    m_box->setFont(cjkFont(16, true));
    m_box->setMaxLength(12);
    m_box->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), m_box));
    m_box->setPlaceholderText(u"没有作答就清空"_s);
    m_box->installEventFilter(this);
    column->addWidget(m_box);
    m_verdict = addText(column, 11, palette::kInk, true);
    m_note = addText(column, 9, palette::kQuietInk);
    m_note->setText(u"点照片上的答案格可以改它。Enter 确定并到下一个没认清的，"
                    "Tab 跳过，Shift+Tab 回到上一个。"_s);
    column->addStretch(1);
    connect(m_box, &QLineEdit::returnPressed, this, &RoomCorrector::take);
    showNothing(QString());
}

void RoomCorrector::showRoom(const QImage &page, const ScanRoom &room, const ReadAnswer &answer)
{
    m_room = room;
    m_question->setText(u"第 %1 题　%2"_s.arg(room.position).arg(room.question));
    m_crop->setPixmap(enlargedRoom(page, room.room, kCropBox, devicePixelRatioF()));
    const bool typed = answer.sure && answer.digits == nothingWritten();
    m_read->setText(answer.digits.isEmpty() ? u"没有认出字来"_s
            : typed                         ? u"记为没有作答"_s
                    : u"认作 %1%2"_s.arg(answer.digits, answer.sure ? QString() : u"，没有把握"_s));
    m_box->setEnabled(true);
    m_box->setText(typed ? QString() : answer.digits);
    m_box->selectAll();
    m_box->setFocus();
    showVerdict(answer);
}

void RoomCorrector::showNothing(const QString &note)
{
    m_room = ScanRoom();
    m_question->setText(note);
    m_crop->clear();
    m_read->clear();
    m_box->clear();
    m_box->setEnabled(false);
    m_verdict->clear();
}

void RoomCorrector::take()
{
    if (m_room.position <= 0)
        return;
    const QString digits = m_box->text().isEmpty() ? nothingWritten() : m_box->text();
    const ReadAnswer answer { digits, true };
    showVerdict(answer);
    emit corrected(answer);
}

void RoomCorrector::showVerdict(const ReadAnswer &answer)
{
    switch (verdictOf(m_room, answer)) {
    case Verdict::Right:
        m_verdict->setText(u"✓ 对"_s);
        m_verdict->setStyleSheet(palette::inkStyle(quizpalette::kRightInk, true));
        break;
    case Verdict::Wrong:
        m_verdict->setText(u"✗ 错，应为 %1"_s.arg(m_room.answer));
        m_verdict->setStyleSheet(palette::inkStyle(palette::kWarningInk, true));
        break;
    case Verdict::Unsure:
        m_verdict->setText(u"？ 没认清，请照纸上写的填"_s);
        m_verdict->setStyleSheet(palette::inkStyle(quizpalette::kUnsureInk, true));
        break;
    }
}

bool RoomCorrector::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            emit stepRequested(key->key() == Qt::Key_Backtab);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
