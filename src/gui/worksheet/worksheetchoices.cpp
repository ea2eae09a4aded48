#include "worksheetchoices.h"

#include "worksheetlayout.h"
#include "copiesbox.h"
#include "chrome/countbox.h"
#include "chrome/featurewindow.h"
#include "chrome/formchooser.h"
#include "chrome/palette.h"

#include "generate/catalogue.h"
#include "worksheet/columnform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;
using namespace worksheetlayout;

namespace {

template <typename Box> Box *choice(QWidget *window, const QString &name, const QRect &geometry)
{
    auto *box = new Box(window);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QComboBox *list(
    QWidget *window, const QString &name, const QRect &geometry, const QStringList &captions)
{
    auto *box = choice<QComboBox>(window, name, geometry);
    box->addItems(captions);
    return box;
}

} // namespace

WorksheetChoices::WorksheetChoices(FeatureWindow *window, qint16 type)
    : QObject(window)
    , m_type(type)
{
    m_levelCaption = window->addLabel(u"难度选择："_s, kLevelCaption);
    m_level = list(window, u"level"_s, kLevel, catalogue::levelCaptions(type));
    m_mixSummary = window->addLabel(QString(), kMixSummary);
    m_mixSummary->setStyleSheet(palette::inkStyle(palette::kInk, true));
    window->addLabel(u"试卷列数："_s, kColumnsCaption);
    m_columns = list(window, u"columns"_s, kColumns, sheetformat::columnCaptions());

    window->addLabel(u"试卷行数："_s, kRowsCaption);
    m_rows = choice<CountBox>(window, u"rows"_s, kRows);
    m_rows->setRange(1, sheetformat::kMaxRows);
    m_mixRows = window->addLabel(QString(), kMixRows);
    m_mixRows->setStyleSheet(palette::inkStyle(palette::kInk, true));
    window->addLabel(u"试卷字体："_s, kFontCaption);
    m_font = list(window, u"font"_s, kFont, sheetformat::fontCaptions());
    m_font->setEnabled(false);
    window->addLabel(u"试卷行高："_s, kRowHeightCaption);
    m_rowHeight = list(window, u"rowHeight"_s, kRowHeight, sheetformat::rowHeightCaptions());
    m_rowHeight->setEnabled(false);

    m_formCaption = window->addLabel(u"出题形式："_s, kFormCaption);
    m_form = new FormChooser(window, kCarry, kBlank);
    m_form->setType(type);
    // A class set: every child gets a sheet of its own.
    QLabel *copiesCaption = window->addLabel(u"份数："_s, kCopiesCaption);
    m_copies = choice<CopiesBox>(window, u"copies"_s, kCopies);
    m_copies->setClasses({});
    connect(m_copies, &QSpinBox::valueChanged, this, [this, copiesCaption] {
        copiesCaption->setText(m_copies->wholeClass() ? u"全班："_s : u"份数："_s);
    });
    m_scannable = new QCheckBox(u"可拍照批改"_s, window);
    m_scannable->setObjectName(u"scannable"_s);
    m_scannable->setGeometry(kScannable);
    m_scannable->setToolTip(u"试题四角印上定位块、页眉旁印上二维码：孩子写完后拍照，"
                            "在【测试成绩】里按【拍照批改】批改"_s);

    m_vertical = new QCheckBox(u"竖式"_s, window);
    m_vertical->setObjectName(u"vertical"_s);
    m_vertical->resize(kVertical);
    m_vertical->setToolTip(u"竖式：每题的横式下面印上方格里的竖式，答案印出竖式的全部计算。"
                           "只用于 A+B、A-B、A±B、A±B±C、A×B 和 A÷B，不填空，不能拍照批改"_s);
    connect(m_vertical, &QCheckBox::toggled, this, [this](bool on) {
        (m_mixed ? m_mixVertical : m_typeVertical) = on;
        showVertical();
        emit madeOfChanged();
    });

    m_firstHint = window->addHint(QString(), kFirstHint);
    m_secondHint = window->addHint(QString(), kSecondHint);
    m_sizeNote = window->addHint(QString(), kSizeNote);
    m_sizeNote->setStyleSheet(palette::inkStyle(kSizeNoteInk));
    m_sizeNote->setObjectName(u"sizeNote"_s);
    connect(m_columns, &QComboBox::activated, this, &WorksheetChoices::showMix);
    connect(m_form->blankList(), &QComboBox::activated, this, &WorksheetChoices::showVertical);
    for (QComboBox *list : { m_level, m_columns, m_form->carryList(), m_form->blankList() })
        connect(list, &QComboBox::activated, this, &WorksheetChoices::madeOfChanged);
    connect(m_rows, &QSpinBox::valueChanged, this, &WorksheetChoices::madeOfChanged);
}

void WorksheetChoices::restore(const SheetChoices &choices, const QuestionForm &form,
    const FormMemory::Mix &mix, bool scannable, std::pair<bool, bool> vertical)
{
    std::tie(m_typeVertical, m_mixVertical) = vertical;
    m_scannable->setChecked(scannable);
    m_level->setCurrentIndex(choices.level - 1);
    m_columns->setCurrentIndex(choices.columns - 2);
    m_rows->setValue(choices.rows);
    m_font->setCurrentIndex(choices.font - 1);
    m_rowHeight->setCurrentIndex(choices.rowHeight - 1);
    m_form->setForm(form);
    m_mix = mix;
    setMixed(false);
}

SheetChoices WorksheetChoices::current() const
{
    SheetChoices choices;
    choices.level = level();
    choices.columns = qint16(m_columns->currentIndex() + 2);
    choices.rows = qint16(m_rows->value());
    choices.font = qint16(m_font->currentIndex() + 1);
    choices.rowHeight = qint16(m_rowHeight->currentIndex() + 1);
    return choices;
}

qint16 WorksheetChoices::level() const
{
    return qint16(m_level->currentIndex() + 1);
}

QuestionForm WorksheetChoices::form() const
{
    return m_form->form(level());
}

int WorksheetChoices::copies() const
{
    return std::max(m_copies->value(), 1);
}

std::optional<QString> WorksheetChoices::wholeClass() const
{
    return m_copies->wholeClass();
}

bool WorksheetChoices::scannable() const
{
    return m_scannable->isChecked() && !isVertical();
}

bool WorksheetChoices::isVertical() const
{
    return m_mixed ? m_mixVertical : m_typeVertical && columnform::offersType(m_type);
}

void WorksheetChoices::showVertical()
{
    const bool offered = m_mixed || columnform::offersType(m_type);
    const bool on = isVertical();
    {
        const QSignalBlocker quiet(m_vertical);
        m_vertical->setChecked(on);
    }
    m_vertical->setVisible(offered);
    // A 竖式 asks for the whole number after "＝": no blank, and no room to photograph.
    QComboBox *blank = m_form->blankList();
    if (on && blank->currentData().toInt() != int(BlankPlace::None))
        blank->setCurrentIndex(std::max(0, blank->findData(int(BlankPlace::None))));
    blank->setEnabled(!on);
    m_scannable->setEnabled(!on);
    // After the last of the form's lists shown, or after 编辑题组 on a mixed sheet.
    int right = kEditMix.x() + FeatureWindow::kButtonWidth;
    if (!m_mixed) {
        right = kFormCaption.right();
        for (const QComboBox *before : { m_form->carryList(), blank }) {
            if (before->isVisibleTo(before->parentWidget()))
                right = std::max(right, before->geometry().right());
        }
    }
    m_vertical->move(right + 10, kRow3);
}

void WorksheetChoices::setColumns(qint16 columns)
{
    m_columns->setCurrentIndex(std::clamp<int>(columns, 2, sheetformat::kMaxColumns) - 2);
}

SheetRecipe WorksheetChoices::recipe() const
{
    SheetRecipe recipe;
    recipe.columns = qint16(m_columns->currentIndex() + 2);
    if (m_mixed) {
        recipe.entries = m_mix.entries;
        recipe.shuffle = m_mix.shuffle;
    } else {
        recipe.form = form();
        recipe.rows = qint16(m_rows->value());
    }
    recipe.vertical = isVertical();
    return recipe;
}

void WorksheetChoices::setMix(const FormMemory::Mix &mix)
{
    m_mix = mix;
    showMix();
    emit madeOfChanged();
}

void WorksheetChoices::setMixed(bool mixed)
{
    if (mixed != m_mixed)
        emit madeOfChanged();
    m_mixed = mixed;
    m_levelCaption->setText(mixed ? u"综合练习："_s : u"难度选择："_s);
    m_firstHint->setText(mixed ? u"1.编辑题组，设置列数"_s : u"1.先选择难度，设置列数"_s);
    m_secondHint->setText(mixed ? u"2.行数随题数 -> 生成试题"_s : u"2.设置行数 -> 生成试题"_s);
    m_level->setVisible(!mixed);
    m_mixSummary->setVisible(mixed);
    m_rows->setVisible(!mixed);
    m_mixRows->setVisible(mixed);
    m_form->setVisible(!mixed);
    m_formCaption->setVisible(!mixed
        && (carry::appliesTo(m_type) || QuestionForm::offersBlank(m_type, BlankPlace::First)
            || columnform::offersType(m_type)));
    showMix();
    showVertical();
}

void WorksheetChoices::enableLooks()
{
    m_font->setEnabled(true);
    m_rowHeight->setEnabled(true);
}

void WorksheetChoices::showMix()
{
    QStringList captions;
    for (const SheetEntry &entry : std::as_const(m_mix.entries))
        captions << entry.caption();
    SheetRecipe mixed;
    mixed.entries = m_mix.entries;
    mixed.columns = qint16(m_columns->currentIndex() + 2);
    const QString summary = u"%1 组 %2 题：%3"_s.arg(captions.size())
                                .arg(mixed.mixedTotal())
                                .arg(captions.join(u"；"_s));
    m_mixSummary->setText(
        m_mixSummary->fontMetrics().elidedText(summary, Qt::ElideRight, kMixSummary.width()));
    m_mixSummary->setToolTip(captions.join(u'\n'));
    m_mixRows->setText(u"%1 行"_s.arg(mixed.sheetRows()));
}
