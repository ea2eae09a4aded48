#include "testitemdelegate.h"

#include "chrome/messagebox.h"
#include "chrome/palette.h"
#include "quizlayout.h"

#include "quiz/testitemmodel.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRegularExpressionValidator>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kCurrentFrame(quizpalette::kCurrentFrame);
const QColor kWrongRow(quizpalette::kWrongRow);
const QColor kWrongMark(palette::kWarningInk);
const QColor kRightMark(quizpalette::kRightInk);

bool isFullWidthDigit(QChar ch)
{
    return ch >= QChar(0xFF10) && ch <= QChar(0xFF19);
}

} // namespace

TestItemDelegate::TestItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

void TestItemDelegate::commitAndClose(QWidget *editor)
{
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QWidget *TestItemDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != TestItemModel::Answer)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    editor->setMaxLength(TestItemModel::kMaxAnswerDigits);
    // A paste of anything but digits is dropped without a word; typed keys get the message.
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(u"[0-9]{0,%1}"_s.arg(TestItemModel::kMaxAnswerDigits)), editor));
    QFont font = option.font;
    font.setBold(true);
    editor->setFont(font);
    editor->setStyleSheet(u"QLineEdit { background: %1; color: %2; border: 2px solid %3; }"_s.arg(
        QColor(quizpalette::kAnswerBack).name(), QColor(quizpalette::kAnswerInk).name(),
        kCurrentFrame.name()));
    return editor;
}

void TestItemDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

void TestItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool wrong = index.data(TestItemModel::WrongRole).toBool();
    switch (index.column()) {
    case TestItemModel::Answer:
        option->font.setBold(true);
        option->backgroundBrush = QColor(quizpalette::kAnswerBack);
        option->palette.setColor(QPalette::Text, QColor(quizpalette::kAnswerInk));
        // The cell keeps its colours on the current row; paint() frames it instead.
        option->state &= ~QStyle::State_Selected;
        break;
    case TestItemModel::Mark:
        // paint() draws the mark itself: fonts disagree on how a tick looks.
        option->text.clear();
        break;
    case TestItemModel::Expected: {
        option->font.setBold(wrong);
        const QColor colour = wrong ? kRightMark : QColor(quizpalette::kExpectedInk);
        option->palette.setColor(QPalette::Text, colour);
        option->palette.setColor(QPalette::HighlightedText, colour);
        break;
    }
    default:
        break;
    }
    if (wrong && index.column() != TestItemModel::Answer)
        option->backgroundBrush = kWrongRow;
    // The whole row is highlighted; a focus frame around one of its cells would only distract.
    option->state &= ~QStyle::State_HasFocus;
}

void TestItemDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() == TestItemModel::Answer && (option.state & QStyle::State_Selected)) {
        painter->save();
        painter->setPen(QPen(kCurrentFrame, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
    if (index.column() == TestItemModel::Mark && !index.data().toString().isEmpty())
        paintMark(painter, option.rect, index.data(TestItemModel::WrongRole).toBool());
}

void TestItemDelegate::paintMark(QPainter *painter, const QRect &cell, bool wrong)
{
    const qreal size = std::min(cell.width(), cell.height()) * 0.5;
    const QRectF box(QPointF(cell.center()) - QPointF(size / 2, size / 2), QSizeF(size, size));
    QPainterPath path;
    if (wrong) {
        path.moveTo(box.topLeft());
        path.lineTo(box.bottomRight());
        path.moveTo(box.topRight());
        path.lineTo(box.bottomLeft());
    } else {
        path.moveTo(box.left(), box.top() + box.height() * 0.55);
        path.lineTo(box.left() + box.width() * 0.38, box.bottom());
        path.lineTo(box.right(), box.top());
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(wrong ? kWrongMark : kRightMark, std::max(2.0, size / 6), Qt::SolidLine,
        Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path);
    painter->restore();
}

bool TestItemDelegate::filterTyped(QWidget *editor, const QString &text)
{
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (std::all_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; }))
        return false;
    if (std::all_of(text.begin(), text.end(), isFullWidthDigit)) {
        // A Chinese input method in full-width mode still gives digits the child meant.
        QString ascii;
        for (QChar ch : text)
            ascii += QChar(u'0' + (ch.unicode() - 0xFF10));
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->insert(ascii);
        return true;
    }
    refuse(editor);
    return true;
}

void TestItemDelegate::refuse(QWidget *editor)
{
    QPointer<QWidget> guard(editor);
    // While the message is up the editor loses the focus; that must neither commit nor close
    // it, or Esc would have nothing left to restore.
    m_refusing = true;
    showMessage(editor->window(), u"必须输入数字(0-9)，按【ESC】还原！"_s);
    m_refusing = false;
    if (guard)
        guard->setFocus();
}

bool TestItemDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(object);
    if (editor) {
        switch (event->type()) {
        case QEvent::FocusOut:
        case QEvent::Hide:
            if (m_refusing)
                return false;
            break;
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                && filterTyped(editor, key->text()))
                return true;
            break;
        }
        case QEvent::InputMethod: {
            const auto *input = static_cast<QInputMethodEvent *>(event);
            if (filterTyped(editor, input->commitString()))
                return true;
            break;
        }
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
