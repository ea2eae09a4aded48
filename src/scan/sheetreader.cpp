#include "sheetreader.h"

#include "digitreader.h"
#include "digitsplitter.h"

#include "worksheet/scannablesheet.h"

namespace sheetreader {

ReadAnswer readRoom(const cv::Mat &straightenedPage, const QRectF &room)
{
    const cv::Rect pixels = pagefinder::pixelRect(room)
        & cv::Rect(0, 0, straightenedPage.cols, straightenedPage.rows);
    if (pixels.empty())
        return {};
    const SplitRoom split = digitsplitter::split(straightenedPage(pixels));
    ReadAnswer answer;
    answer.sure = !split.messy && !split.digits.empty();
    for (const cv::Mat &ink : split.digits) {
        const DigitGuess guess = DigitReader::builtIn().read(ink);
        if (guess.digit < 0) {
            answer.sure = false;
            continue;
        }
        answer.digits += QChar(u'0' + guess.digit);
        answer.sure = answer.sure && guess.confidence > DigitReader::kSureAbove;
    }
    return answer;
}

QMap<int, ReadAnswer> readAnswers(const StraightenedPage &page, const ScannableSheet &sheet)
{
    QMap<int, ReadAnswer> answers;
    for (const ScanRoom &room : sheet.rooms) {
        if (room.page == page.code.page)
            answers.insert(room.position, readRoom(page.image, room.room));
    }
    return answers;
}

} // namespace sheetreader
