#include "scanbatch.h"

#include "store/settings.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

ScanBatch::ScanBatch(Database &db, Settings &settings)
    : m_db(db)
    , m_settings(settings)
{ }

std::optional<FoundPage> ScanBatch::find(const QString &path, QString *problem)
{
    const PhotoReader *reader = PhotoReader::load(problem);
    return reader ? reader->find(path, problem) : std::nullopt;
}

ScanBatch::Page ScanBatch::add(
    const QString &path, const std::optional<FoundPage> &found, const QString &problem)
{
    Page page { path, found, problem, {}, {} };
    if (!found)
        return page;
    const QString &number = found->code.sheetNumber;
    if (!m_sheets.contains(number)) {
        const std::optional<ScannableSheet> sheet = scannablesheets::find(m_db, number);
        if (!sheet) {
            page.found.reset();
            page.problem = u"卷子 %1 不在这个数据文件里"_s.arg(number);
            return page;
        }
        m_sheets.insert(number, { *sheet, {}, {}, {} });
        m_numbers << number;
    }
    Sheet &sheet = m_sheets[number];
    const int installation = m_settings.installationNumber();
    if (found->code.check != sheet.sheet.pageCheck(installation, found->code.page)) {
        page.found.reset();
        page.problem
            = u"这一页不是从这个数据文件打印的（或题目和这里的卷子 %1 对不上），没有批改"_s.arg(
                number);
        return page;
    }
    if (const QString earlier = sheet.pathOfPage.value(found->code.page); !earlier.isEmpty()) {
        page.found.reset();
        page.problem = u"和 %1 是同一页（卷子 %2 第 %3 页），只批改前一张"_s.arg(
            QFileInfo(earlier).fileName(), number, QString::number(found->code.page));
        return page;
    }
    sheet.pathOfPage.insert(found->code.page, path);
    page.sheet = sheet.sheet;
    QList<int> positions;
    QList<ScanRoom> rooms;
    for (const ScanRoom &room : std::as_const(sheet.sheet.rooms)) {
        if (room.page == found->code.page) {
            positions << room.position;
            rooms << room;
        }
    }
    // Nothing read is nothing sure: without the reader the parent types the answers.
    QString why;
    const PhotoReader *reader = PhotoReader::load(&why);
    const QList<ReadAnswer> read
        = reader ? reader->readRooms(found->image, rooms) : QList<ReadAnswer>();
    for (qsizetype i = 0; i < positions.size(); ++i)
        page.answers.insert(positions[i], read.value(i));
    sheet.answers.insert(page.answers);
    return page;
}

void ScanBatch::correct(const QString &number, int position, const ReadAnswer &answer)
{
    const auto sheet = m_sheets.find(number);
    if (sheet != m_sheets.end() && sheet->answers.contains(position))
        sheet->answers.insert(position, answer);
}

QList<ScanBatch::Sheet> ScanBatch::store()
{
    QList<Sheet> stored;
    for (const QString &number : std::as_const(m_numbers)) {
        Sheet &sheet = m_sheets[number];
        if (sheet.pathOfPage.isEmpty())
            continue; // every page of it refused
        sheet.stored = storeReadSheet(
            m_db, m_settings, sheet.sheet, sheet.pathOfPage.keys(), sheet.answers, m_child);
        stored << sheet;
    }
    m_numbers.clear();
    m_sheets.clear();
    return stored;
}
