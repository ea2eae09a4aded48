#include "mixdialog.h"
#include "chrome/pictureregistry.h"

#include "cjkfont.h"
#include "worksheetlayout.h"
#include "chrome/formchooser.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"

#include "generate/catalogue.h"
#include "worksheet/columnform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QStandardItemModel>

using namespace Qt::Literals::StringLiterals;
using namespace worksheetlayout::mix;

MixDialog::MixDialog(const SheetRecipe &recipe, QWidget *parent)
    : FeatureWindow(u"【试卷出题】--> 综合练习的题组"_s, kWindow, parent)
    , m_recipe(recipe)
{
    addBand(kBandHeight);
    buildChoices();
    buildList();
    m_shuffle->setChecked(recipe.shuffle);
    showEntries(0);

    addShortcut(Qt::Key_Escape, [this] { leave(); });
    addShortcut(Qt::Key_Return, [this] { addEntry(); });
    addShortcut(Qt::Key_Enter, [this] { addEntry(); });
    addShortcut(Qt::Key_Delete, [this] { removeEntry(); });
    addShortcut(Qt::CTRL | Qt::Key_Up, [this] { moveEntry(-1); });
    addShortcut(Qt::CTRL | Qt::Key_Down, [this] { moveEntry(1); });
    addShortcut(Qt::CTRL | Qt::Key_Return, [this] { confirm(); });
}

void MixDialog::buildChoices()
{
    addLabel(u"题型："_s, kTypeCaption);
    m_type = new QComboBox(this);
    m_type->setGeometry(kType);
    m_type->addItems(catalogue::typeNames());
    // A 竖式 sheet takes the types written in columns only.
    if (m_recipe.vertical) {
        auto *types = qobject_cast<QStandardItemModel *>(m_type->model());
        for (int row = 0; row < types->rowCount(); ++row) {
            if (!columnform::offersType(qint16(row + 1)))
                types->item(row)->setEnabled(false);
        }
    }
    addLabel(u"难度："_s, kLevelCaption);
    m_level = new QComboBox(this);
    m_level->setGeometry(kLevel);
    addLabel(u"形式："_s, kFormCaption);
    m_form = new FormChooser(this, kCarry, kBlank);
    addLabel(u"题数："_s, kCountCaption);
    m_count = new QSpinBox(this);
    m_count->setGeometry(kCount);
    m_count->setRange(1, SheetEntry::kMaxCount);
    m_count->setValue(10);
    connect(m_type, &QComboBox::currentIndexChanged, this,
        [this](int index) { setType(qint16(index + 1)); });
    SheetEntry last
        = m_recipe.entries.isEmpty() ? SheetEntry { { 1, 1 }, 10 } : m_recipe.entries.constLast();
    if (m_recipe.vertical && !columnform::offersType(last.form.type))
        last = SheetEntry { { 1, 1 }, 10 };
    m_type->setCurrentIndex(last.form.type - 1);
    setType(last.form.type);
    m_level->setCurrentIndex(last.form.level - 1);
    m_form->setForm(last.form);
    m_count->setValue(last.count);
}

void MixDialog::buildList()
{
    m_buttons = { makeCloseGlyph(Close, u"取消"_s), new HCommand(picture::kAdd, Add, this),
        new HCommand(picture::kRemove, Remove, this), new HCommand(picture::kMoveUp, Up, this),
        new HCommand(picture::kMoveDown, Down, this), new HCommand(picture::kOk, Confirm, this),
        new HCommand(picture::kCancel, Cancel, this) };
    m_buttons[Add]->move(kAdd);
    m_buttons[Add]->setToolTip(u"把这一组加到题组的末尾（Enter）"_s);
    m_buttons[Up]->move(kListButtons[0]);
    m_buttons[Up]->setToolTip(u"Ctrl+↑"_s);
    m_buttons[Down]->move(kListButtons[1]);
    m_buttons[Down]->setToolTip(u"Ctrl+↓"_s);
    m_buttons[Remove]->move(kListButtons[2]);
    m_buttons[Remove]->setToolTip(u"Delete"_s);
    const int foot = kWindow.height() - kMargin - kButtonHeight;
    m_buttons[Confirm]->move(kWindow.width() - kMargin - 2 * kButtonWidth - kButtonGap, foot);
    m_buttons[Confirm]->setToolTip(u"Ctrl+Enter"_s);
    m_buttons[Cancel]->move(kWindow.width() - kMargin - kButtonWidth, foot);
    for (HCommand *button : std::as_const(m_buttons)) {
        connect(button, &HCommand::clicked, this, [this](qint16 index) {
            switch (index) {
            case Add:
                return addEntry();
            case Remove:
                return removeEntry();
            case Up:
                return moveEntry(-1);
            case Down:
                return moveEntry(1);
            case Confirm:
                return confirm();
            default:
                return leave();
            }
        });
    }
    setButtons(m_buttons);

    m_list = new QListWidget(this);
    m_list->setGeometry(kList);
    m_list->setFont(cjkFont(11));
    m_list->setStyleSheet(
        u"QListWidget { background: white; border: 1px solid %1; }"
        " QListWidget::item { padding: 3px; }"_s.arg(palette::css(palette::kBandRule)));
    m_shuffle = new QCheckBox(u"打乱顺序：各组的题混在一起"_s, this);
    m_shuffle->setGeometry(kShuffle);
    m_shuffle->setFont(cjkFont(10.5));
    m_total = addLabel(QString(), kTotal);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setStyleSheet(palette::inkStyle(palette::kInk, true));
    addHint(u"每组：题型、难度、形式和题数。整份卷子里的题各不相同；"
            "出不齐一组的题数时会告诉你。"_s,
        kHint)
        ->setWordWrap(true);
}

void MixDialog::setType(qint16 type)
{
    const int level = m_level->currentIndex();
    m_level->clear();
    m_level->addItems(catalogue::levelCaptions(type));
    m_level->setCurrentIndex(std::clamp(level, 0, m_level->count() - 1));
    m_form->setType(type);
}

void MixDialog::showEntries(int current)
{
    m_list->clear();
    for (const SheetEntry &entry : std::as_const(m_recipe.entries))
        m_list->addItem(entry.caption());
    m_list->setCurrentRow(std::min(current, int(m_list->count()) - 1));
    m_total->setText(m_recipe.entries.isEmpty()
            ? u"还没有题组"_s
            : u"共 %1 组 %2 题"_s.arg(m_recipe.entries.size()).arg(m_recipe.mixedTotal()));
    for (Button button : { Remove, Up, Down, Confirm })
        m_buttons[button]->setEnabled(!m_recipe.entries.isEmpty());
}

void MixDialog::addEntry()
{
    const SheetEntry entry { m_form->form(qint16(m_level->currentIndex() + 1)), m_count->value() };
    SheetRecipe alone;
    alone.entries = { entry };
    alone.vertical = m_recipe.vertical;
    if (const QString problem = alone.problem(); !problem.isEmpty()) {
        showMessage(this, problem);
        return;
    }
    m_recipe.entries << entry;
    showEntries(int(m_recipe.entries.size()) - 1);
}

void MixDialog::removeEntry()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_recipe.entries.size())
        return;
    m_recipe.entries.removeAt(row);
    showEntries(row);
}

void MixDialog::moveEntry(int step)
{
    const int row = m_list->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_recipe.entries.size())
        return;
    m_recipe.entries.move(row, to);
    showEntries(to);
}

void MixDialog::confirm()
{
    m_recipe.shuffle = m_shuffle->isChecked();
    const QString problem
        = m_recipe.entries.isEmpty() ? u"先加一组题，再按【确定】。"_s : m_recipe.problem();
    if (!problem.isEmpty()) {
        showMessage(this, problem);
        return;
    }
    accept();
}
