#pragma once

#include "chrome/featurewindow.h"
#include "quiz/testrecords.h"

#include <QList>

#include <functional>
#include <optional>

class AppContext;
struct Mistake;
struct SheetDocument;
class HCommand;
class PhotoReader;
class QLabel;
class QTableView;
class TestItemModel;
class TestRecordModel;

// 电脑测试一览表: every stored test, newest first. A marked test opens its questions with the
// child's answers, the wrong marks and the correct answers; an unfinished one is taken up
// again in the test window.
class RecordsWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordsWindow)

public:
    enum Button : qint16 {
        Back = 0,
        CloseGlyph = 1,
        Practice = 2,
        PrintBook = 3,
        Chart = 4,
        Photos = 5,
        Results = 6
    };

    explicit RecordsWindow(AppContext &context, QWidget *parent = nullptr);

    // How an unfinished test is taken up again: it finds the test's number as the current
    // test number of the AppContext. Tests put a recorder here.
    std::function<void()> openTest;
    // How a practice test of the wrong-answer book is taken: the book's
    // questions still to learn, oldest first, at most a hundred.
    std::function<void(const QList<Mistake> &)> openPractice;
    // How the book is previewed as a worksheet with its answers.
    std::function<void(const QList<SheetDocument> &)> previewBook;
    // How the progress chart is shown.
    std::function<void()> openChart;
    // 拍照批改: the reader of photos (nothing, with why, where it cannot be loaded), which
    // photos, and how they are marked.
    std::function<const PhotoReader *(QString *)> loadReader;
    std::function<QStringList()> choosePhotos;
    // 导出成绩: which of the results offered (the current child's history, then each class's
    // gradebook) is exported, -1 for none; and where it is written, from the file name offered,
    // empty when cancelled. Tests put their choices.
    std::function<int(const QStringList &offered)> chooseResults;
    std::function<QString(const QString &fileName)> chooseResultsPath;
    std::function<void(const QStringList &)> openPhotos;

    // 错题重练 of every type, or of one.
    void practice(std::optional<qint16> type);
    // 打印错题: the book's questions as a worksheet, then its answers.
    void printBook();

    // The action cell of the current list row: its questions, or answering on.
    void activate();
    // From the questions back to the list; from the list out of the window.
    void back();
    // A click on a header of the questions.
    void sortDetail(int column);

    bool isShowingDetail() const;
    HCommand *button(Button index) const { return m_buttons.at(index); }
    QTableView *list() const { return m_list; }
    QTableView *detail() const { return m_detail; }
    TestRecordModel *recordModel() const { return m_records; }
    TestItemModel *detailModel() const { return m_detailItems; }
    QLabel *headingLabel() const { return m_heading; }
    QLabel *progressLine() const { return m_progressLine; }
    QLabel *hintLine() const { return m_hintLine; }

private:
    void exportResults();
    void buildUi();
    void buildList();
    void buildDetail();
    // Reads the list again; throws when the file cannot be read.
    void reload();
    // reload() after a test or a practice, with a failure told.
    void reloadAfterTest();
    void showList();
    void showDetail(const TestRecord &record);
    void resume(const QString &number);
    void showListProgress();
    void showDetailProgress();
    void onButton(qint16 index);

    AppContext &m_context;
    QString m_detailNumber;
    std::optional<ItemOrder> m_detailOrder;

    QList<HCommand *> m_buttons;
    QLabel *m_heading = nullptr;
    QTableView *m_list = nullptr;
    QLabel *m_emptyList = nullptr;
    QTableView *m_detail = nullptr;
    TestRecordModel *m_records = nullptr;
    TestItemModel *m_detailItems = nullptr;
    QLabel *m_progressLine = nullptr;
    QLabel *m_hintLine = nullptr;
};
