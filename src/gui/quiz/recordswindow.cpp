#include "recordswindow.h"
#include "chrome/pictureregistry.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "gridstyle.h"
#include "photomarkingwindow.h"
#include "progresschartwindow.h"
#include "quizlayout.h"
#include "recordactiondelegate.h"
#include "testitemdelegate.h"
#include "testwindow.h"
#include "worksheet/printpreviewdialog.h"

#include "children/gradebook.h"
#include "generate/catalogue.h"
#include "program/appcontext.h"
#include "quiz/mistakebook.h"
#include "quiz/mistakesheet.h"
#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;
using namespace quizlayout::records;

namespace {

constexpr int kPracticeLimit = 100; // questions of one practice test at the most

const QString kListHeading = u"电脑测试题目一览表："_s;
const QString kBookUnread = u"错题本无法读取"_s;
const QString kListHint = u"提示：对于没有完成的试题，可以点击其后面的〖答题〗继续答题。"_s;

// Where the last photos came from in this run: the next class's photos are likely beside them.
QString g_photoFolder;

// The folder the photo picker opens in: the last one used, else the pictures folder, else
// home. Always a folder that exists: Qt's dialog takes a missing one for a file name and
// writes it into the name box.
QString photoFolder()
{
    for (const QString &folder :
        { g_photoFolder, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

} // namespace

RecordsWindow::RecordsWindow(AppContext &context, QWidget *parent)
    : FeatureWindow(u"【晨曦算苑】-->〖电脑测试一览表〗"_s, kWindow, parent)
    , m_context(context)
{
    setFont(cjkFont(10.5));
    m_records = new TestRecordModel(this);
    m_detailItems = new TestItemModel(this);
    buildUi();
    reload();
    showList();
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter })
        addShortcut(key, [this] { activate(); });
    addShortcut(Qt::Key_Escape, [this] { back(); });

    openTest = [this] {
        runOrReport(u"这次测试无法继续"_s, [this] {
            TestWindow window(m_context, processQuestionMaker(), this);
            window.exec();
        });
    };
    openPractice = [this](const QList<Mistake> &mistakes) {
        runOrReport(u"错题重练无法开始"_s, [this, &mistakes] {
            TestWindow window(m_context, processQuestionMaker(), this);
            window.startPractice(mistakes);
            window.exec();
        });
    };
    previewBook = [this](const QList<SheetDocument> &documents) {
        PrintPreviewDialog dialog(documents, this);
        dialog.exec();
    };
    openChart = [this] {
        runOrReport(u"成绩曲线无法读取"_s, [this] {
            ProgressChartWindow window(m_context, this);
            window.exec();
        });
    };
    loadReader = &PhotoReader::load;
    choosePhotos = [this] {
        const QStringList photos
            = QFileDialog::getOpenFileNames(this, u"选择卷子的照片（可以多选）"_s, photoFolder(),
                u"照片 (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)"_s);
        if (!photos.isEmpty())
            g_photoFolder = QFileInfo(photos.first()).absolutePath();
        return photos;
    };
    openPhotos = [this](const QStringList &photos) {
        PhotoMarkingWindow window(m_context, photos, this);
        window.exec();
    };
    chooseResults = [this](const QStringList &offered) {
        QMenu menu(this);
        for (const QString &caption : offered)
            menu.addAction(caption);
        HCommand *button = m_buttons[Results];
        const QAction *chosen = menu.exec(button->mapToGlobal(QPoint(0, button->height())));
        return chosen ? int(menu.actions().indexOf(chosen)) : -1;
    };
    chooseResultsPath = [this](const QString &fileName) {
        const QString documents
            = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(
            this, u"导出成绩"_s, QDir(documents).filePath(fileName), u"Excel 工作簿 (*.xlsx)"_s);
    };
}

void RecordsWindow::buildUi()
{
    addBand(kBand);
    m_heading = addLabel(kListHeading, kHeading, 12);
    m_heading->setObjectName(u"heading"_s);
    m_heading->setFont(cjkFont(12, true));

    m_buttons = { new HCommand(picture::kLeave, Back, this), makeCloseGlyph(CloseGlyph, u"关闭"_s),
        new HCommand(picture::kPractice, Practice, this),
        new HCommand(picture::kPrintBook, PrintBook, this),
        new HCommand(picture::kChart, Chart, this), new HCommand(picture::kPhotos, Photos, this),
        new HCommand(picture::kResults, Results, this) };
    placeInButtonRow(m_buttons[Back], 0);
    placeInButtonRow(m_buttons[Chart], 1);
    placeInButtonRow(m_buttons[PrintBook], 2);
    placeInButtonRow(m_buttons[Practice], 3);
    placeInButtonRow(m_buttons[Photos], 4);
    placeInButtonRow(m_buttons[Results], 5);
    m_buttons[Results]->setToolTip(u"把成绩导出成 Excel 工作簿：这个孩子的测试记录，"
                                   "或者一个班的成绩表（每个孩子一行，每份卷子一列）"_s);
    m_buttons[Photos]->setToolTip(u"打开“可拍照批改”卷子的照片，认出答案，批改后记进成绩"_s);
    m_buttons[Practice]->setToolTip(u"把答错过、还没练会的题再做一遍"_s);
    m_buttons[PrintBook]->setToolTip(u"把错题本排成卷子打印，附答案"_s);
    m_buttons[Chart]->setToolTip(u"各题型每次测试的正确率和每题用时"_s);
    for (HCommand *b : std::as_const(m_buttons))
        connect(b, &HCommand::clicked, this, &RecordsWindow::onButton);
    setButtons(m_buttons);

    buildList();
    m_emptyList
        = addLabel(u"还没有测试记录。\n在主菜单选一种题型，做一次电脑测试吧！"_s, kEmptyList, 14);
    m_emptyList->setAlignment(Qt::AlignCenter);
    m_emptyList->setStyleSheet(palette::inkStyle(palette::kPlaceholderInk));
    m_emptyList->setAttribute(Qt::WA_TransparentForMouseEvents);
    buildDetail();

    m_progressLine = addLabel(QString(), kProgress, 11);
    m_progressLine->setObjectName(u"progressLine"_s);
    m_progressLine->setStyleSheet(palette::inkStyle(palette::kInk));
    m_hintLine = addLabel(kListHint, kHint, 11);
    m_hintLine->setObjectName(u"hintLine"_s);
}

void RecordsWindow::buildList()
{
    m_list = new QTableView(this);
    styleQuizGrid(m_list, kGrid, cjkFont(11), kListRowHeight);
    m_list->setObjectName(u"recordList"_s);
    m_list->setModel(m_records);
    m_list->setItemDelegateForColumn(TestRecordModel::Action, new RecordActionDelegate(m_list));
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    QHeaderView *header = m_list->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(TestRecordModel::Number, QHeaderView::Stretch);
    const std::pair<int, int> widths[] = {
        { TestRecordModel::Moment, 140 },
        { TestRecordModel::Type, 96 },
        { TestRecordModel::Level, 56 },
        { TestRecordModel::Count, 54 },
        { TestRecordModel::Right, 54 },
        { TestRecordModel::Wrong, 54 },
        { TestRecordModel::Time, 84 },
        { TestRecordModel::Action, 80 },
    };
    for (const auto &[column, width] : widths)
        m_list->setColumnWidth(column, width);
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (index.column() == TestRecordModel::Action)
            activate();
    });
    // The action cell is the one place of the list that answers a click.
    connect(m_list, &QTableView::entered, this, [this](const QModelIndex &index) {
        m_list->viewport()->setCursor(
            index.column() == TestRecordModel::Action ? Qt::PointingHandCursor : Qt::ArrowCursor);
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &RecordsWindow::showListProgress);
}

void RecordsWindow::buildDetail()
{
    m_detail = new QTableView(this);
    styleQuizGrid(m_detail, kGrid, cjkMonoFont(15), kDetailRowHeight);
    m_detail->setObjectName(u"itemDetail"_s);
    m_detail->setModel(m_detailItems);
    m_detail->setItemDelegate(new TestItemDelegate(m_detail));
    m_detail->horizontalHeader()->setSectionsClickable(true);
    m_detail->horizontalHeader()->setToolTip(
        u"点击【题号】按题号排序，点击【对错】把错题排在前面"_s);
    connect(m_detail->horizontalHeader(), &QHeaderView::sectionClicked, this,
        &RecordsWindow::sortDetail);
    connect(m_detail->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &RecordsWindow::showDetailProgress);
    m_detail->hide();
}

void RecordsWindow::reload()
{
    m_records->setRecords(listTestRecords(m_context.database(), m_context.currentChild()));
    m_emptyList->setVisible(m_records->rowCount() == 0 && !isShowingDetail());
    if (m_records->rowCount() > 0)
        m_list->setCurrentIndex(m_records->index(0, 0));
    showListProgress();
}

bool RecordsWindow::isShowingDetail() const
{
    return !m_detail->isHidden();
}

void RecordsWindow::showListProgress()
{
    const int count = m_records->rowCount();
    const int position = m_list->currentIndex().isValid() ? m_list->currentIndex().row() + 1 : 0;
    m_progressLine->setText(u"试卷记录：〖 %1 / %2 〗"_s.arg(position).arg(count));
}

void RecordsWindow::showDetailProgress()
{
    const QModelIndex current = m_detail->currentIndex();
    if (!current.isValid())
        return;
    m_progressLine->setText(
        u"试题记录：〖 %1 / %2 〗"_s.arg(current.row() + 1).arg(m_detailItems->rowCount()));
}

void RecordsWindow::showList()
{
    m_heading->setText(kListHeading);
    m_hintLine->setText(kListHint);
    m_hintLine->setStyleSheet(palette::inkStyle(palette::kQuietInk));
    m_detail->hide();
    m_list->show();
    m_emptyList->setVisible(m_records->rowCount() == 0);
    m_list->setFocus();
    showListProgress();
}

void RecordsWindow::activate()
{
    if (m_records->rowCount() == 0 || isShowingDetail())
        return;
    const int row = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : 0;
    const TestRecord record = m_records->record(row);
    if (TestRecordModel::isMarked(record))
        showDetail(record);
    else
        resume(record.number);
}

void RecordsWindow::showDetail(const TestRecord &record)
{
    QList<TestItem> items;
    if (!runOrReport(u"这次测试的题目无法读取"_s, [this, &record, &items] {
            items = loadTestItems(m_context.database(), record.number, ItemOrder::Question);
        }))
        return;
    m_detailNumber = record.number;
    // A new test's questions come in question order, whatever the last test was sorted by.
    m_detailOrder.reset();
    m_detailItems->setItems(items);
    setItemColumnWidths(m_detail, true);

    m_heading->setText(u"试卷编号："_s + record.number);
    m_hintLine->setText(
        u"试题判卷结果：错误 %1 题(点击列头可以排序)！"_s.arg(record.wrong.value_or(0)));
    m_hintLine->setStyleSheet(palette::inkStyle(
        record.wrong.value_or(0) > 0 ? palette::kWarningInk : quizpalette::kRightInk));
    m_list->hide();
    m_emptyList->hide();
    m_detail->show();
    m_detail->setFocus();
    if (m_detailItems->rowCount() > 0)
        m_detail->setCurrentIndex(m_detailItems->index(0, 0));
    showDetailProgress();
}

void RecordsWindow::sortDetail(int column)
{
    const std::optional<ItemOrder> order = TestItemModel::orderForHeader(column, m_detailOrder);
    if (!order)
        return;
    QList<TestItem> items;
    if (!runOrReport(u"排好序的题目无法读取"_s, [this, &order, &items] {
            items = loadTestItems(m_context.database(), m_detailNumber, *order);
        }))
        return;
    m_detailOrder = order;
    m_detailItems->setItems(items);
    if (m_detailItems->rowCount() > 0)
        m_detail->setCurrentIndex(m_detailItems->index(0, 0));
    showDetailProgress();
}

void RecordsWindow::resume(const QString &number)
{
    const QString previous = m_context.currentTestNo();
    m_context.setCurrentTestNo(number);
    if (openTest)
        openTest();
    // The menu decides on the next test's number; this one is done with.
    m_context.setCurrentTestNo(previous);
    reloadAfterTest();
    const int row = m_records->rowOf(number);
    if (row >= 0)
        m_list->setCurrentIndex(m_records->index(row, 0));
    m_list->setFocus();
    showListProgress();
}

void RecordsWindow::back()
{
    if (isShowingDetail())
        showList();
    else
        leave();
}

void RecordsWindow::onButton(qint16 index)
{
    switch (index) {
    case Back:
        back();
        break;
    case Practice: {
        // Every type, or only the test on the current row's type.
        const qint16 type = m_context.currentType();
        int all = 0;
        int ofType = 0;
        if (!runOrReport(kBookUnread, [this, type, &all, &ofType] {
                const MistakeBook book(m_context.database(), m_context.currentChild());
                all = int(book.toLearn().size());
                ofType = int(book.toLearn(type).size());
            }))
            break;
        if (all == 0) {
            showMessage(this, u"错题本里没有要再练的题。"_s);
            break;
        }
        QMenu menu(this);
        menu.addAction(u"全部题型（%1 题）"_s.arg(all), this, [this] { practice(std::nullopt); });
        if (ofType > 0 && ofType < all)
            menu.addAction(u"只练 %1（%2 题）"_s.arg(catalogue::typeName(type)).arg(ofType), this,
                [this, type] { practice(type); });
        HCommand *button = m_buttons[Practice];
        menu.exec(button->mapToGlobal(QPoint(0, button->height())));
        break;
    }
    case PrintBook:
        printBook();
        break;
    case Chart:
        if (openChart)
            openChart();
        break;
    case Results:
        exportResults();
        break;
    case Photos:
        // Without the reader no photo is asked for: the parent learns at once what to repair.
        if (QString why; loadReader && !loadReader(&why)) {
            showMessage(this, u"无法拍照批改：%1。"_s.arg(why));
            break;
        }
        if (const QStringList photos = choosePhotos ? choosePhotos() : QStringList();
            !photos.isEmpty() && openPhotos) {
            openPhotos(photos);
            reloadAfterTest();
        }
        break;
    default:
        leave();
        break;
    }
}

void RecordsWindow::reloadAfterTest()
{
    // Not read again, the list as it was is still worth looking at.
    runOrReport(u"测试记录无法重新读取"_s, [this] { reload(); });
}

void RecordsWindow::practice(std::optional<qint16> type)
{
    QList<Mistake> mistakes;
    if (!runOrReport(kBookUnread, [this, type, &mistakes] {
            mistakes = MistakeBook(m_context.database(), m_context.currentChild())
                           .toLearn(type, kPracticeLimit);
        }))
        return;
    if (mistakes.isEmpty() || !openPractice)
        return;
    // A practice is a new test, never the one last opened.
    m_context.setCurrentTestNo(QString());
    openPractice(mistakes);
    // The practice is a stored test now: the list shows it first.
    reloadAfterTest();
}

void RecordsWindow::exportResults()
{
    Database &db = m_context.database();
    std::optional<Child> child;
    QStringList classes;
    if (!runOrReport(u"孩子名单无法读取"_s,
            [&] {
                child = childlist::find(db, m_context.currentChild());
                classes = childlist::classes(db);
            })
        || !child)
        return;
    // A family without classes has one thing to export; a teacher picks the class.
    QStringList offered { u"%1的成绩记录"_s.arg(child->name) };
    for (const QString &className : std::as_const(classes))
        offered << u"%1的成绩表"_s.arg(className);
    const int chosen = offered.size() == 1 ? 0 : (chooseResults ? chooseResults(offered) : -1);
    if (chosen < 0 || chosen >= offered.size())
        return;
    const QString path
        = chooseResultsPath ? chooseResultsPath(offered[chosen] + u".xlsx"_s) : QString();
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    if (!runOrReport(u"成绩没有导出"_s, [&] {
            const QList<ResultTable> tables = chosen == 0
                ? ChildHistory::of(db, *child).tables()
                : Gradebook::of(db, classes[chosen - 1]).tables();
            written = writeResultTables(tables, path, &error);
        }))
        return;
    showMessage(this,
        written ? u"已导出到 %1"_s.arg(QDir::toNativeSeparators(path))
                : u"成绩没有导出：%1"_s.arg(error));
}

void RecordsWindow::printBook()
{
    QList<Mistake> mistakes;
    if (!runOrReport(kBookUnread, [this, &mistakes] {
            mistakes = MistakeBook(m_context.database(), m_context.currentChild()).toLearn();
        }))
        return;
    if (mistakes.isEmpty()) {
        showMessage(this, u"错题本里没有要再练的题。"_s);
        return;
    }
    const MistakeSheets sheets = mistakeSheets(mistakes, 3, QDateTime::currentDateTime());
    if (previewBook)
        previewBook({ sheets.questions, sheets.answers });
}
