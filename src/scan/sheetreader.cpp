#include "sheetreader.h"

#include "answerrecogniser.h"

#include "quiz/inkweighing.h"
#include "worksheet/scannablesheet.h"

namespace sheetreader {

ReadAnswer readRoom(const cv::Mat &straightenedPage, const QRectF &room, const QString &expected)
{
    const cv::Rect pixels = pagefinder::pixelRect(room)
        & cv::Rect(0, 0, straightenedPage.cols, straightenedPage.rows);
    if (pixels.empty())
        return {};
    const AnswerRecogniser &reader = AnswerRecogniser::builtIn();
    return answerFromInk(reader.weigh(straightenedPage(pixels), expected), expected,
        AnswerRecogniser::kMargin, AnswerRecogniser::kWrongMargin);
}

QMap<int, ReadAnswer> readAnswers(const StraightenedPage &page, const ScannableSheet &sheet)
{
    QMap<int, ReadAnswer> answers;
    for (const ScanRoom &room : sheet.rooms) {
        if (room.page == page.code.page)
            answers.insert(room.position, readRoom(page.image, room.room, room.answer));
    }
    return answers;
}

} // namespace sheetreader
