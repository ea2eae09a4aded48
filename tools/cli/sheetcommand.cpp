#include "arguments.h"
#include "commonoptions.h"
#include "commands.h"
#include "output.h"

#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "program/appcontext.h"
#include "scanpage.h"
#include "sheetlayout.h"
#include "sheetpainter.h"
#include "store/settings.h"
#include "children/childlist.h"
#include "worksheet/classset.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/scannablesheet.h"
#include "worksheet/sheetentry.h"
#include "worksheet/sheetrecipe.h"
#include "worksheet/pagerange.h"
#include "worksheet/sheetworkbook.h"
#include "worksheet/worksheet.h"

#include <QDateTime>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<OptionSpec> &sheetOptions()
{
    static const QList<OptionSpec> options = {
        commonoptions::type(),
        commonoptions::level(),
        commonoptions::carry(),
        commonoptions::blank(),
        { u"columns"_s, u"C"_s, u"列数 2 到 5（必需）"_s },
        { u"rows"_s, u"R"_s, u"行数 1 到 100（除 --mix 外必需）"_s },
        { u"mix"_s, u"ENTRY[,ENTRY…]"_s,
            u"综合练习，代替 --type、--level、--rows：每项是 题型:难度:题数，可再加 :carry 或 "
            ":nocarry（进位/不进位），和 :first、:second、:third 或 :any（填空），例如 "
            "1:4:12:carry,2:4:12:nocarry,5:3:8,7:3:8:second；行数按总题数和列数算出"_s },
        { u"shuffle"_s, QString(), u"和 --mix 一起用：各项的题打乱次序，不按项分块"_s },
        commonoptions::seed(),
        { u"font"_s, u"F"_s, u"字体 1 小四、2 四号、3 三号（默认）、4 小二、5 二号"_s },
        { u"row-height"_s, u"H"_s, u"行高 1 整页、2 较小、3 适合（默认）、4 较大、5 最大"_s },
        { u"title"_s, u"TEMPLATE"_s,
            u"打印标题，其中“题型”“难度”“数量”是变量；默认为程序的默认标题"_s },
        { u"pdf"_s, u"FILE"_s, u"把试题写成 PDF"_s },
        { u"answers-pdf"_s, u"FILE"_s, u"把答案写成 PDF"_s },
        { u"pages"_s, u"RANGE"_s,
            u"--pdf 和 --answers-pdf 只写这些页，例如 -2,4,6-8,10-（-2 是第 1 到 2 页，10- 是第 10 "
            "页到最后一页，页码按整个 PDF 数）；全角的“，”“－”也可以。超出页数的页略去，"
            "一页也选不中是错误"_s },
        { u"xlsx"_s, u"FILE"_s,
            u"把试题和答案写成 Excel 工作簿（.xlsx）：第一张表是试题，第二张是答案，表名是卷号"_s },
        { u"copies"_s, u"N"_s,
            u"份数 1 到 60（默认 1）：每份题目不同、卷号不同，全部试题写进同一个 PDF，答案写进另一个，每份从新的一页开始"_s },
        { u"class"_s, u"C"_s,
            u"全班各一份（代替 --copies）：为班级 C（见 qrta-cli "
            u"children）的每个孩子按名单顺序出一份，"
            "标题后印上“姓名：”；卷号一行之后以 TAB 写上名字；可拍照批改的卷子记在各人名下"_s },
        { u"lines"_s, QString(), u"在卷号之后逐行输出整道题（含答案），按行从左到右"_s },
        { u"vertical"_s, QString(),
            u"竖式：每题的横式下面印上方格里的竖式（相同数位对齐），答案印出竖式的全部计算"
            "（进位、退位点、部分积、长除法的每一步）；只用于 A + B、A - B、A ± B、A±B±C、"
            "A × B、A ÷ B，不和 --blank、--scannable 一起用；一行放不下所选的列数时少印几列"_s },
        { u"scannable"_s, QString(),
            u"可拍照批改：试题的每页印上四角的定位块和页码二维码，每题“＝”后留出写答案的地方；"
            "卷子连同各题记进数据文件，以后用 qrta-cli scan 或程序里的【拍照批改】批改"_s },
        commonoptions::database(),
        commonoptions::help(),
    };
    return options;
}

// The entries of --mix, each one the type and level can make.
QList<SheetEntry> mixEntries(const QString &text)
{
    QString bad;
    const std::optional<QList<SheetEntry>> entries = sheetentries::read(text, &bad);
    if (!entries)
        throw UsageError(
            u"--mix 的“%1”不是 题型:难度:题数[:carry|:nocarry][:first|:second|:third|:any]"_s.arg(
                bad));
    const QStringList parts = text.split(u',');
    for (qsizetype i = 0; i < entries->size(); ++i) {
        if (const QString problem = entries->at(i).form.problem(); !problem.isEmpty())
            throw UsageError(u"--mix 的“%1”：%2"_s.arg(parts.at(i).trimmed(), problem));
    }
    return *entries;
}

} // namespace

int runSheetCommand(const QStringList &args)
{
    const Arguments arguments(args, sheetOptions());
    if (commonoptions::helpAsked(arguments,
            u"qrta-cli sheet --type T --level L [--carry with|without]\n"
            "                      [--blank first|second|third|any] --columns C --rows R\n"
            "       qrta-cli sheet --mix ENTRY[,ENTRY…] [--shuffle] --columns C\n"
            "                      [--seed S] [--font F]\n"
            "                      [--row-height H] [--title TEMPLATE] [--pdf FILE]\n"
            "                      [--answers-pdf FILE] [--pages RANGE] [--xlsx FILE]\n"
            "                      [--copies N | --class C] [--lines] [--vertical]"_s,
            u"像出题窗口一样出卷子：每份题目互不相同，最多 列数×行数 道。每份输出一行卷号（加 --lines 时其后是整道题，填空题是以 TAB 分开的三栏：整道题、带空的题目、填进空里的数）。综合练习的某一项凑不够不同的题时，什么也不写，说明是哪一项，退出状态为 1。"_s,
            sheetOptions()))
        return flushOut();

    const bool mixed = arguments.has(u"mix"_s);
    for (const QString &option : { u"type"_s, u"level"_s, u"rows"_s, u"carry"_s, u"blank"_s }) {
        if (mixed && arguments.has(option))
            throw UsageError(u"--mix 不和 --%1 一起用：每一项自己说题型、难度和形式"_s.arg(option));
    }
    if (!mixed && arguments.has(u"shuffle"_s))
        throw UsageError(u"--shuffle 只和 --mix 一起用"_s);
    const bool vertical = arguments.has(u"vertical"_s);
    if (vertical && arguments.has(u"scannable"_s))
        throw UsageError(u"竖式不能拍照批改：--vertical 不和 --scannable 一起用"_s);
    SheetChoices choices;
    SheetRecipe recipe;
    recipe.vertical = vertical;
    recipe.columns = choices.columns
        = qint16(arguments.integer(u"columns"_s, 2, sheetformat::kMaxColumns));
    if (mixed) {
        recipe.entries = mixEntries(arguments.text(u"mix"_s));
        recipe.shuffle = arguments.has(u"shuffle"_s);
        const QString problem = recipe.problem();
        if (!problem.isEmpty())
            throw UsageError(u"--mix "_s + problem);
    } else {
        recipe.form = commonoptions::questionForm(arguments);
        recipe.rows = qint16(arguments.integer(u"rows"_s, 1, sheetformat::kMaxRows));
        choices.level = recipe.form.level;
        if (const QString problem = recipe.problem(); !problem.isEmpty())
            throw UsageError(problem);
    }
    choices.rows = recipe.sheetRows();
    choices.font = qint16(arguments.integer(u"font"_s, 1, 5, 3));
    choices.rowHeight = qint16(arguments.integer(u"row-height"_s, 1, 5, 3));
    const QString titleTemplate
        = arguments.has(u"title"_s) ? arguments.text(u"title"_s) : Settings::defaultPrintTitle();
    commonoptions::checkOutputs(arguments, { u"pdf"_s, u"answers-pdf"_s, u"xlsx"_s });
    std::optional<PageRange> range;
    if (arguments.has(u"pages"_s)) {
        if (!arguments.has(u"pdf"_s) && !arguments.has(u"answers-pdf"_s))
            throw UsageError(u"--pages 只用于 --pdf 和 --answers-pdf"_s);
        range = PageRange::read(arguments.text(u"pages"_s));
        if (!range->isValid())
            throw UsageError(u"--pages %1"_s.arg(range->error()));
    }

    SeededRandom rnd;
    commonoptions::seedFrom(arguments, rnd);
    QuestionMaker maker(rnd);
    const QDateTime now = QDateTime::currentDateTime();
    const bool scannable = arguments.has(u"scannable"_s);
    const bool named = arguments.has(u"class"_s);
    if (named && arguments.has(u"copies"_s))
        throw UsageError(u"--class 已经是全班各一份，不和 --copies 一起用"_s);
    if (arguments.has(u"database"_s) && !scannable && !named)
        throw UsageError(u"--database 只和 --scannable 或 --class 一起用"_s);
    // A class's list is read before anything is made; a sheet filed to be photographed is
    // kept in the same file.
    std::unique_ptr<AppContext> file;
    QList<Child> pupils;
    if (named) {
        file = commonoptions::openAsProgram(
            arguments, scannable ? commonoptions::Access::Write : commonoptions::Access::Read);
        pupils = childlist::ofClass(file->database(), arguments.text(u"class"_s));
        if (pupils.isEmpty())
            throw UsageError(
                u"班级“%1”里没有孩子（见 qrta-cli children）"_s.arg(arguments.text(u"class"_s)));
    }
    const int copies = named ? int(pupils.size()) : int(arguments.integer(u"copies"_s, 1, 60, 1));
    QStringList shortfalls;
    std::optional<ClassSet> set = ClassSet::make(maker, recipe, now, &shortfalls);
    if (set)
        set->setPupils(pupils);
    QList<Worksheet> sheets = set ? set->copies(maker, copies, &shortfalls) : QList<Worksheet>();
    // A short sheet is not what the teacher asked for: nothing is written. A one-form sheet
    // whose form has no more questions is printed, and the teacher told.
    if (const QString note = set ? recipe.shortNote(set->first()) : QString(); !note.isEmpty())
        writeError(u"qrta-cli sheet: %1\n"_s.arg(note));
    if (!shortfalls.isEmpty()) {
        shortfalls.removeDuplicates();
        writeError(u"qrta-cli sheet: %1\n"_s.arg(shortfalls.join(u"；"_s)));
        return 1;
    }

    const auto titleOf = [&](const Worksheet &sheet) {
        return set->titleOf(sheet, recipe.title(titleTemplate, sheet, recipe.form.level));
    };
    const auto questionOf = [&](const Worksheet &sheet) {
        SheetDocument document = questionDocument(sheet, choices, titleOf(sheet));
        // Room for handwriting may print the sheet smaller, on other pages.
        if (scannable)
            document.scanNumber = sheet.number();
        return document;
    };
    QList<SheetDocument> questionSheets, answerSheets;
    for (const Worksheet &sheet : std::as_const(sheets)) {
        questionSheets << questionOf(sheet);
        answerSheets << answerDocument(sheet, recipe.form.level, now);
    }
    // What prints too small to read and write on is not printed: the teacher is told which
    // columns hold the lines. A size smaller than chosen but not too small is said.
    if (arguments.has(u"pdf"_s) || scannable) {
        QStringList notes;
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            const SheetLayout layout = SheetLayout::compute(questionSheets.at(i));
            // 竖式 squares have one size: a row takes the columns that hold them.
            if (layout.overflows && vertical) {
                notes << u"竖式一行放不下%1，印成%2"_s.arg(columnsCaption(choices.columns),
                    columnsCaption(fittedToFloor(questionSheets.at(i)).document.columns));
                continue;
            }
            if (layout.overflows) {
                const int fitting = columnsThatFit(
                    [&](int columns) {
                        Worksheet narrower = sheets.at(i);
                        narrower.setColumns(qint16(columns));
                        return questionOf(narrower);
                    },
                    choices.columns);
                throw UsageError(
                    u"--columns %1：%2，请用 %3 列或更少"_s.arg(QString::number(choices.columns),
                        overflowNote(choices.columns), QString::number(fitting)));
            }
            notes << printedSizeNote(layout, choices);
        }
        notes.removeAll(QString());
        notes.removeDuplicates();
        for (const QString &note : std::as_const(notes))
            writeError(u"qrta-cli sheet: %1\n"_s.arg(note));
    }
    // Checked before anything is written: a range that misses one of the two documents is
    // a mistake in the command, not half a result.
    auto pagesOf = [&range, &arguments](const QList<SheetDocument> &documents,
                       const QString &option, const QString &what) {
        if (!range || !arguments.has(option))
            return QList<int>();
        const int pageCount = pageCountOf(documents);
        const QList<int> pages = range->pagesOf(pageCount);
        if (pages.isEmpty())
            throw UsageError(u"--pages “%1”在%2 PDF 里一页也选不到：%2共 %3 页"_s.arg(
                arguments.text(u"pages"_s), what, QString::number(pageCount)));
        return pages;
    };
    const QList<int> questionPages = pagesOf(questionSheets, u"pdf"_s, u"试题"_s);
    const QList<int> answerPages = pagesOf(answerSheets, u"answers-pdf"_s, u"答案"_s);
    // Kept before anything is written: a sheet on paper that its data file does not know
    // could never be marked. A copy whose number is taken is renumbered, and its answers
    // printed under the new number.
    if (scannable) {
        if (!file)
            file = commonoptions::openAsProgram(arguments, commonoptions::Access::Write);
        questionSheets = scanpage::fileSet(
            file->database(), file->settings().installationNumber(), *set, copies, questionOf);
        sheets = set->copies(maker, copies, &shortfalls);
        answerSheets.clear();
        for (const Worksheet &sheet : std::as_const(sheets))
            answerSheets << answerDocument(sheet, recipe.form.level, now);
    }
    QList<TitledSheet> workbookSheets;
    for (const Worksheet &sheet : std::as_const(sheets))
        workbookSheets.append({ sheet, titleOf(sheet) });

    OutputBuffer out;
    for (const Worksheet &sheet : sheets) {
        const std::optional<Child> pupil = set->pupilOf(sheet);
        out.line(pupil ? sheet.number() + u'\t' + pupil->name : sheet.number());
        if (arguments.has(u"lines"_s)) {
            for (const QString &line : sheet.lines())
                out.line(commonoptions::printedQuestion(line));
        }
    }
    int status = out.finish();

    QString error;
    auto report = [&status, &error](bool written) {
        if (!written) {
            writeError(u"qrta-cli sheet: %1\n"_s.arg(error));
            status = 1;
        }
    };
    if (arguments.has(u"pdf"_s))
        report(writeSheetsPdf(questionSheets, arguments.text(u"pdf"_s), &error, questionPages));
    if (arguments.has(u"answers-pdf"_s))
        report(writeSheetsPdf(answerSheets, arguments.text(u"answers-pdf"_s), &error, answerPages));
    if (arguments.has(u"xlsx"_s))
        report(writeSheetWorkbook(workbookSheets, arguments.text(u"xlsx"_s), &error));
    return status;
}
