#include "scanbatch.h"

#include "sheetreader.h"

using namespace Qt::Literals::StringLiterals;

ScanBatch::ScanBatch(Database &db)
    : m_db(db)
{ }

std::optional<FoundPage> ScanBatch::find(const QString &path, QString *problem)
{
    const cv::Mat photo = sheetreader::loadPhoto(path);
    if (photo.empty()) {
        *problem = u"不是能读的 JPEG 或 PNG 图片"_s;
        return std::nullopt;
    }
    std::optional<FoundPage> found;
    try {
        found = pagefinder::find(photo, problem);
    } catch (const cv::Exception &) {
        // An image of a size or kind the finder cannot take is no page, not a failure.
        found.reset();
    }
    if (!found && problem->isEmpty())
        *problem = u"照片里找不到卷子四角的定位块和二维码"_s;
    return found;
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
        m_sheets.insert(number, { *sheet, {}, {} });
        m_numbers << number;
    }
    Sheet &sheet = m_sheets[number];
    page.sheet = sheet.sheet;
    try {
        page.answers = sheetreader::readAnswers(*found, sheet.sheet);
    } catch (const cv::Exception &) {
        page.answers.clear(); // nothing read is nothing sure: the parent types the answers
    }
    sheet.answers.insert(page.answers);
    return page;
}

QList<ScanBatch::Sheet> ScanBatch::store(Settings &settings, const QDateTime &now)
{
    QList<Sheet> stored;
    for (const QString &number : std::as_const(m_numbers)) {
        Sheet &sheet = m_sheets[number];
        sheet.stored = storeReadSheet(m_db, settings, sheet.sheet, sheet.answers, now);
        stored << sheet;
    }
    m_numbers.clear();
    m_sheets.clear();
    return stored;
}
