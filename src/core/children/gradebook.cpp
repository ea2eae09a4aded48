#include "gradebook.h"

#include "generate/numbers.h"
#include "worksheet/recordnumbers.h"

#include <QDate>
#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A child's tests that were marked whole, oldest first: a later test of the same column of a
// gradebook is the one it shows.
QList<TestRecord> markedTests(Database &db, const Child &child)
{
    QList<TestRecord> records = listTestRecords(db, child.id);
    records.removeIf([](const TestRecord &record) {
        return record.marked.value_or(0) != 1 || !record.count || !record.right;
    });
    std::reverse(records.begin(), records.end());
    return records;
}

QString dayOf(const TestRecord &record)
{
    const QDate day = recordnumbers::madeAt(record.number).date();
    return day.isValid() ? day.toString(u"M月d日"_s) : u"—"_s;
}

std::optional<int> percent(qint64 right, qint64 count)
{
    return count > 0 ? std::optional<int>(int(roundHalfEven(100.0 * double(right) / double(count))))
                     : std::nullopt;
}

// How much of each question type a child answered right, the types in the order first met.
struct TypeTally
{
    QStringList types;
    QHash<QString, std::pair<qint64, qint64>> rightAndCount;

    void add(const TestRecord &record)
    {
        auto &[right, count] = rightAndCount[record.typeName];
        right += *record.right;
        count += *record.count;
        if (!types.contains(record.typeName))
            types << record.typeName;
    }
    std::optional<int> percentOf(const QString &type) const
    {
        const auto [right, count] = rightAndCount.value(type);
        return percent(right, count);
    }
};

QVariant cellOf(std::optional<int> value)
{
    return value ? QVariant(*value) : QVariant();
}

} // namespace

Gradebook Gradebook::of(Database &db, const QString &className)
{
    Gradebook book;
    book.pupils = childlist::ofClass(db, className);
    struct Column
    {
        QDate day;
        QString heading;
    };
    QList<Column> columns;
    QList<QHash<QString, QString>> scores; // per pupil, by heading
    QList<TypeTally> byType;
    for (const Child &pupil : std::as_const(book.pupils)) {
        QHash<QString, QString> score;
        TypeTally types;
        for (const TestRecord &record : markedTests(db, pupil)) {
            const QString heading
                = u"%1 %2 %3"_s.arg(dayOf(record), record.typeName, record.levelName);
            if (std::none_of(columns.begin(), columns.end(),
                    [&](const Column &c) { return c.heading == heading; }))
                columns.append({ recordnumbers::madeAt(record.number).date(), heading });
            score.insert(heading, u"%1/%2"_s.arg(*record.right).arg(*record.count));
            types.add(record);
            if (!book.types.contains(record.typeName))
                book.types << record.typeName;
        }
        scores << score;
        byType << types;
    }
    std::stable_sort(columns.begin(), columns.end(),
        [](const Column &a, const Column &b) { return a.day < b.day; });
    for (const Column &column : std::as_const(columns))
        book.columns << column.heading;
    for (qsizetype p = 0; p < book.pupils.size(); ++p) {
        QStringList row;
        for (const QString &heading : std::as_const(book.columns))
            row << scores[p].value(heading);
        book.scores << row;
        QList<std::optional<int>> percents;
        for (const QString &type : std::as_const(book.types))
            percents << byType[p].percentOf(type);
        book.percentRight << percents;
    }
    return book;
}

QList<ResultTable> Gradebook::tables() const
{
    ResultTable results { u"成绩"_s, { 12, 18 }, { { u"姓名"_s } } };
    ResultTable shares { u"各题型正确率"_s, { 12 }, { { u"姓名"_s } } };
    for (const QString &column : columns)
        results.rows[0] << column;
    for (const QString &type : types)
        shares.rows[0] << QString(type + u"（%）"_s);
    for (qsizetype p = 0; p < pupils.size(); ++p) {
        QVariantList scoreRow { pupils[p].name }, shareRow { pupils[p].name };
        for (const QString &score : scores[p])
            scoreRow << score;
        for (const std::optional<int> &share : percentRight[p])
            shareRow << cellOf(share);
        results.rows << scoreRow;
        shares.rows << shareRow;
    }
    return { results, shares };
}

ChildHistory ChildHistory::of(Database &db, const Child &child)
{
    return { child, markedTests(db, child) };
}

QList<ResultTable> ChildHistory::tables() const
{
    ResultTable tests { u"测试记录"_s, { 10, 14, 24, 8, 10, 10 },
        { { u"日期"_s, u"题型"_s, u"难度"_s, u"成绩"_s, u"正确率（%）"_s, u"用时"_s } } };
    TypeTally tally;
    for (const TestRecord &record : this->tests) {
        // A photographed sheet keeps no time: typing a correction is not the child's.
        tests.rows << QVariantList { dayOf(record), record.typeName, record.levelName,
            u"%1/%2"_s.arg(*record.right).arg(*record.count),
            cellOf(percent(*record.right, *record.count)),
            record.elapsed ? elapsedText(*record.elapsed) : u"—"_s };
        tally.add(record);
    }
    ResultTable shares { u"各题型正确率"_s, { 14, 8, 8, 12 },
        { { u"题型"_s, u"答对"_s, u"题数"_s, u"正确率（%）"_s } } };
    for (const QString &type : std::as_const(tally.types)) {
        const auto [right, count] = tally.rightAndCount.value(type);
        shares.rows << QVariantList { type, right, count, cellOf(tally.percentOf(type)) };
    }
    return { tests, shares };
}
