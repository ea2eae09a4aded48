#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The one place that maps picture numbers to images. A number is state * 1000 + bmpid; a
// state without a picture of its own shows the normal one (1000 + bmpid). The tips of the
// main menu (5001 … 5014) are pictures of their own, with no normal picture behind them.
// Whole grounds of windows and the program's icon are pictures too, with names below.
//
// The art is SVG, rendered at the device pixel ratio of the screen, so that it stays crisp
// on HiDPI screens. Pixmaps need a QGuiApplication and the GUI thread.
// The picture buttons' pictures (their bmpid), by what each button says.
namespace picture {
inline constexpr qint16 kCloseGlyph = 2;
inline constexpr qint16 kGenerate = 49; // 生成试题(F5)
inline constexpr qint16 kConfirmTest = 50; // 确定答题(F6)
inline constexpr qint16 kHandIn = 51; // 完成答题(F8)
inline constexpr qint16 kLeave = 52; // 退出(Esc)
inline constexpr qint16 kExport = 54; // 导出Excel
inline constexpr qint16 kPrintQuestions = 55;
inline constexpr qint16 kPrintAnswers = 56;
inline constexpr qint16 kClearWorking = 57; // 重新计算
inline constexpr qint16 kShowAnswer = 58;
inline constexpr qint16 kNextPuzzle = 59; // 下一题(F5)
inline constexpr qint16 kHint = 63;
inline constexpr qint16 kAllSolutions = 64;
inline constexpr qint16 kPractice = 65; // 错题重练
inline constexpr qint16 kPrintBook = 66; // 打印错题
inline constexpr qint16 kChart = 67; // 成绩曲线
inline constexpr qint16 kMixed = 73; // 综合练习
inline constexpr qint16 kSingleType = 74; // 单一题型
inline constexpr qint16 kEditMix = 75; // 编辑题组
inline constexpr qint16 kAdd = 76;
inline constexpr qint16 kRemove = 77;
inline constexpr qint16 kMoveUp = 78;
inline constexpr qint16 kMoveDown = 79;
inline constexpr qint16 kOk = 80; // 确定
inline constexpr qint16 kCancel = 81;
inline constexpr qint16 kPhotos = 82; // 拍照批改
inline constexpr qint16 kSave = 83; // 保存(Ctrl+S)
inline constexpr qint16 kNextRoom = 84; // 下一个(Tab)
inline constexpr qint16 kResults = 85; // 导出成绩
inline constexpr qint16 kImportList = 86; // 导入名单
inline constexpr qint16 kAddToClass = 87; // 加入班级
} // namespace picture

class PictureRegistry final
{
public:
    enum State { Normal = 1, Hover = 2, Pressed = 3, Disabled = 4, Tip = 5 };

    PictureRegistry() = delete;

    static constexpr int pictureNumber(State state, int bmpid) { return state * 1000 + bmpid; }

    static constexpr int kMenuLandscape = 1070;
    static constexpr int kGame24Backdrop = 1071;
    // The program's icon at the size the about window shows it.
    static constexpr int kProgramIcon = 1072;

    // The logical size of the picture shown for number; invalid when none is shown.
    static QSize pictureSize(int number);
    // Whether number has a picture of its own, not counting the fall back to the normal one.
    static bool hasPicture(int number);
    // The number whose picture is shown for number: number itself, the normal picture of its
    // bmpid, or 0 when nothing is shown.
    static int shownNumber(int number);
    // The resource holding number's own picture; empty when it has none.
    static QString resourcePath(int number);
    // The picture shown for number, devicePixelRatio times its logical size in device pixels;
    // a null pixmap when nothing is shown.
    static QPixmap pixmap(int number, qreal devicePixelRatio);
};
