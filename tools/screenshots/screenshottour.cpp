#include "screenshottour.h"

#include "menu/aboutwindow.h"
#include "game24/game24window.h"
#include "quiz/photomarkingwindow.h"
#include "quiz/recordswindow.h"
#include "game24/solutionsdialog.h"
#include "quiz/testwindow.h"
#include "chrome/formchooser.h"
#include "chrome/hcommand.h"
#include "menu/mainmenuwindow.h"
#include "menu/newswindow.h"
#include "menu/classlistwindow.h"
#include "quiz/mistakesheet.h"
#include "worksheet/printpreviewdialog.h"
#include "quiz/progresschartwindow.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/mixdialog.h"
#include "worksheet/worksheetchoices.h"
#include "worksheet/copiesbox.h"
#include "worksheet/worksheetwindow.h"

#include "matimage.h"
#include "trialphoto.h"

#include "worksheet/scannablesheet.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "quiz/mistakebook.h"
#include "quiz/testitemmodel.h"
#include "quiz/testsession.h"
#include "program/appcontext.h"

#include "program/menucommands.h"
#include "store/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void movePointer(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// Tab pressed times over, wherever the focus of window is.
void tab(QWidget *window, int times)
{
    for (int i = 0; i < times; ++i) {
        QWidget *focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &press);
    }
}

} // namespace

ScreenshotTour::ScreenshotTour(MainMenuWindow &menu, const QString &folder)
    : QObject(&menu)
    , m_menu(menu)
    , m_folder(folder)
{ }

void ScreenshotTour::start()
{
    if (m_started)
        return;
    m_started = true;
    QDir().mkpath(m_folder);

    // Time for the window system to settle before each picture.
    then(300, [this] { save(&m_menu, u"menu"_s); });
    // A disabled button takes no mouse at all; its window may not exist yet.
    then(0, [this] {
        HCommand *apple = m_menu.button(menu::FirstType + 2);
        if (apple->isEnabled())
            movePointer(apple, apple->rect().center());
        else
            std::printf("qrta: the type buttons are disabled; no hovered type button\n");
    });
    then(200, [this] { save(&m_menu, u"menu-hover"_s); });
    then(0, [this] {
        HCommand *child = m_menu.button(menu::Child);
        movePointer(child, child->rect().center());
    });
    then(200, [this] { save(&m_menu, u"menu-child"_s); });
    // The keyboard takes over from the pointer resting on the child: apple 3, then a link.
    then(0, [this] { m_menu.activateWindow(); });
    then(200, [this] { tab(&m_menu, 3); });
    then(200, [this] { save(&m_menu, u"menu-keyboard"_s); });
    then(0, [this] { tab(&m_menu, 14); });
    then(200, [this] { save(&m_menu, u"menu-keyboard-link"_s); });
    then(0, [this] {
        movePointer(&m_menu, QPoint(m_menu.width() / 2, m_menu.height() - 60));
        auto *about = new AboutWindow({}, &m_menu);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->setObjectName(u"aboutWindow"_s);
        about->show();
    });
    then(300, [this] {
        auto *about = m_menu.findChild<AboutWindow *>(u"aboutWindow"_s);
        save(about, u"about"_s);
        about->close();
        auto *news = new NewsWindow(&m_menu);
        news->setAttribute(Qt::WA_DeleteOnClose);
        news->setObjectName(u"newsWindow"_s);
        news->show();
        // A headline under the pointer, as a reader would have it.
        if (auto *headline = news->findChild<QLabel *>(u"link1"_s))
            movePointer(headline, headline->rect().center());
    });
    then(300, [this] {
        auto *news = m_menu.findChild<NewsWindow *>(u"newsWindow"_s);
        save(news, u"news"_s);
        news->close();
        // A class of four, listed; the worksheet window then offers it as 全班.
        auto *classes = new ClassListWindow(m_menu.context(), &m_menu);
        classes->setAttribute(Qt::WA_DeleteOnClose);
        classes->setObjectName(u"classList"_s);
        classes->classBox()->setEditText(u"三年级二班"_s);
        classes->pasteBox()->setPlainText(u"王小明\n李华\n张三\n赵小雨\n"_s);
        classes->addPasted();
        classes->pasteBox()->setPlainText(u"陈晨\n刘洋"_s);
        classes->show();
    });
    then(300, [this] {
        auto *classes = m_menu.findChild<ClassListWindow *>(u"classList"_s);
        save(classes, u"class-list"_s);
        classes->close();
        m_menu.context().setCurrentType(10);
        auto *worksheet = new WorksheetWindow(m_menu.context(), &m_menu);
        worksheet->setObjectName(u"tourWorksheet"_s);
        worksheet->show();
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        // A class set, a copy for each pupil with the pupil's name, as a teacher prints it.
        worksheet->findChild<WorksheetChoices *>()->copiesBox()->chooseClass(u"三年级二班"_s);
        save(worksheet, u"worksheet"_s);
        worksheet->generate();
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        save(worksheet, u"worksheet-generated"_s);
        // The preview of the question sheet, as the print button shows it.
        previewInTour(worksheet);
        worksheet->printQuestions();
    });
    then(600, [this] {
        saveAndClosePreview(u"preview"_s);
        // Five columns of long lines in many rows: the font that fits, and the window saying so.
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        worksheet->findChild<QComboBox *>(u"columns"_s)->setCurrentIndex(3);
        worksheet->findChild<QComboBox *>(u"rowHeight"_s)->setCurrentIndex(0);
        worksheet->findChild<QSpinBox *>(u"rows"_s)->setValue(100);
        worksheet->findChild<QSpinBox *>(u"copies"_s)->setValue(1);
        worksheet->generate();
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        save(worksheet, u"worksheet-full-page"_s);
        worksheet->printQuestions();
    });
    then(600, [this] {
        saveAndClosePreview(u"preview-full-page"_s);
        // A mixed sheet: its entries as the teacher lists them, then the sheet and its answers.
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        worksheet->findChild<QComboBox *>(u"columns"_s)->setCurrentIndex(2);
        worksheet->findChild<QComboBox *>(u"rowHeight"_s)->setCurrentIndex(2);
        SheetRecipe recipe;
        recipe.columns = 4;
        recipe.entries = *sheetentries::read(u"1:4:12:carry,2:4:12:nocarry,5:3:8,7:3:8:second"_s);
        auto *mix = new MixDialog(recipe, &m_menu);
        mix->setObjectName(u"tourMix"_s);
        mix->show();
        worksheet->chooseMix = [recipe](SheetRecipe &chosen) {
            chosen = recipe;
            return true;
        };
    });
    then(300, [this] {
        auto *mix = m_menu.findChild<MixDialog *>(u"tourMix"_s);
        save(mix, u"worksheet-mix-entries"_s);
        mix->close();
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        worksheet->editMix();
        worksheet->generate();
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        save(worksheet, u"worksheet-mixed"_s);
        worksheet->printAnswers();
    });
    then(600, [this] {
        saveAndClosePreview(u"preview-mixed-answers"_s);
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourWorksheet"_s);
        worksheet->leave();
        // Additions that carry, with the second number left blank.
        m_menu.context().setCurrentType(1);
        worksheet = new WorksheetWindow(m_menu.context(), &m_menu);
        worksheet->setObjectName(u"tourBlankSheet"_s);
        worksheet->choices()->formChooser()->carryList()->setCurrentIndex(1);
        worksheet->choices()->formChooser()->blankList()->setCurrentIndex(2);
        worksheet->show();
        worksheet->generate();
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourBlankSheet"_s);
        save(worksheet, u"worksheet-blank"_s);
        worksheet->leave();
        // Long division in columns, and its answer sheet with the working.
        m_menu.context().setCurrentType(7);
        worksheet = new WorksheetWindow(m_menu.context(), &m_menu);
        worksheet->setObjectName(u"tourVertical"_s);
        worksheet->choices()->verticalBox()->setChecked(true);
        worksheet->choices()->columnList()->setCurrentIndex(1);
        worksheet->show();
        worksheet->generate();
        previewInTour(worksheet);
    });
    then(300, [this] {
        auto *worksheet = m_menu.findChild<WorksheetWindow *>(u"tourVertical"_s);
        save(worksheet, u"worksheet-vertical"_s);
        worksheet->printAnswers();
    });
    then(600, [this] {
        saveAndClosePreview(u"preview-vertical-answers"_s);
        m_menu.findChild<WorksheetWindow *>(u"tourVertical"_s)->leave();
        auto *game = new Game24Window(m_menu.context(), processRandom(), &m_menu);
        game->setObjectName(u"tourGame24"_s);
        game->show();
    });
    then(400, [this] {
        auto *game = m_menu.findChild<Game24Window *>(u"tourGame24"_s);
        save(game, u"game24"_s);
        game->showHint();
        game->showHint();
    });
    then(300, [this] {
        auto *game = m_menu.findChild<Game24Window *>(u"tourGame24"_s);
        save(game, u"game24-hint"_s);
        game->clearBoard();
        // A first step, played as a child would: a card, an operation, a card.
        game->clickCard(0);
        game->chooseOperation(Board::Operation::Multiply);
        game->clickCard(1);
    });
    then(300, [this] {
        auto *game = m_menu.findChild<Game24Window *>(u"tourGame24"_s);
        save(game, u"game24-step"_s);
        QList<int> hand;
        for (int card = 0; card < 4; ++card)
            hand << game->board().caption(card).toInt();
        auto *solutions = new SolutionsDialog(hand, game);
        solutions->setObjectName(u"tourSolutions"_s);
        solutions->show();
    });
    then(300, [this] {
        auto *game = m_menu.findChild<Game24Window *>(u"tourGame24"_s);
        auto *solutions = game->findChild<SolutionsDialog *>(u"tourSolutions"_s);
        save(solutions, u"game24-solutions"_s);
        solutions->close();
        game->leave();
        m_menu.context().setCurrentType(5);
        m_menu.context().setCurrentTestNo(QString());
        auto *test = new TestWindow(m_menu.context(), processQuestionMaker(), &m_menu);
        test->setObjectName(u"tourTest"_s);
        test->show();
    });
    then(300, [this] {
        auto *test = m_menu.findChild<TestWindow *>(u"tourTest"_s);
        save(test, u"test"_s);
        test->generate();
        test->confirm();
        // Most answers right, two wrong, as a child might hand them in.
        TestItemModel *items = test->itemModel();
        for (int row = 0; row < items->rowCount(); ++row) {
            const QString right = test->session().items().at(row).answer;
            items->setData(items->index(row, TestItemModel::Answer),
                row == 2 || row == 6 ? right + u"1"_s : right);
        }
    });
    then(300, [this] {
        auto *test = m_menu.findChild<TestWindow *>(u"tourTest"_s);
        save(test, u"test-answering"_s);
        test->finish();
    });
    then(300, [this] {
        auto *test = m_menu.findChild<TestWindow *>(u"tourTest"_s);
        save(test, u"test-marked"_s);
        const QString number = test->session().number();
        test->exitWindow();
        // The same test opened again while the menu is on another type: it keeps its own.
        m_menu.context().setCurrentType(1);
        m_menu.context().setCurrentTestNo(number);
        auto *reopened = new TestWindow(m_menu.context(), processQuestionMaker(), &m_menu);
        reopened->setObjectName(u"tourReopened"_s);
        reopened->show();
    });
    then(300, [this] {
        auto *reopened = m_menu.findChild<TestWindow *>(u"tourReopened"_s);
        save(reopened, u"test-reopened"_s);
        reopened->exitWindow();
        // A test of three numbers that carry or borrow, any number left blank.
        m_menu.context().setCurrentType(4);
        m_menu.context().setCurrentTestNo(QString());
        auto *blanks = new TestWindow(m_menu.context(), processQuestionMaker(), &m_menu);
        blanks->setObjectName(u"tourBlanks"_s);
        blanks->levelList()->setCurrentIndex(2);
        blanks->formChooser()->setForm({ 4, 3, CarryKind::With, BlankPlace::Any });
        blanks->show();
    });
    then(300, [this] {
        auto *blanks = m_menu.findChild<TestWindow *>(u"tourBlanks"_s);
        save(blanks, u"test-blank-choosing"_s);
        blanks->generate();
        blanks->confirm();
        TestItemModel *items = blanks->itemModel();
        for (int row = 0; row < items->rowCount(); ++row) {
            const QString right = blanks->session().items().at(row).answer;
            items->setData(
                items->index(row, TestItemModel::Answer), row == 1 ? right + u"1"_s : right);
        }
        blanks->finish();
    });
    then(300, [this] {
        auto *blanks = m_menu.findChild<TestWindow *>(u"tourBlanks"_s);
        save(blanks, u"test-blank-marked"_s);
        blanks->exitWindow();
        m_menu.context().setCurrentType(blanks->session().type());
        m_menu.context().setCurrentTestNo(QString());
        auto *records = new RecordsWindow(m_menu.context(), &m_menu);
        records->setObjectName(u"tourRecords"_s);
        records->show();
    });
    then(300, [this] {
        auto *records = m_menu.findChild<RecordsWindow *>(u"tourRecords"_s);
        save(records, u"records"_s);
        records->activate();
    });
    then(300, [this] {
        auto *records = m_menu.findChild<RecordsWindow *>(u"tourRecords"_s);
        save(records, u"records-detail"_s);
        records->close();
        // The two questions answered wrong above, practised again.
        m_menu.context().setCurrentTestNo(QString());
        auto *practice = new TestWindow(m_menu.context(), processQuestionMaker(), &m_menu);
        practice->setObjectName(u"tourPractice"_s);
        practice->startPractice(MistakeBook(m_menu.context().database()).toLearn());
        practice->show();
    });
    then(300, [this] {
        auto *practice = m_menu.findChild<TestWindow *>(u"tourPractice"_s);
        save(practice, u"practice"_s);
        practice->exitWindow();
        const MistakeSheets book = mistakeSheets(
            MistakeBook(m_menu.context().database()).toLearn(), 3, QDateTime::currentDateTime());
        auto *preview = new PrintPreviewDialog({ book.questions, book.answers }, &m_menu);
        preview->setObjectName(u"tourBook"_s);
        preview->setWindowState(Qt::WindowNoState);
        preview->resize(1000, 760);
        preview->show();
    });
    then(600, [this] {
        auto *preview = m_menu.findChild<PrintPreviewDialog *>(u"tourBook"_s);
        save(preview, u"book-preview"_s);
        preview->close();
        auto *chart = new ProgressChartWindow(m_menu.context(), &m_menu);
        chart->setObjectName(u"tourChart"_s);
        chart->show();
    });
    then(600, [this] {
        auto *chart = m_menu.findChild<ProgressChartWindow *>(u"tourChart"_s);
        save(chart, u"chart"_s);
        chart->close();
        // A sheet printed to be photographed, written on and photographed, then marked.
        const QString photo = QDir(m_folder).filePath(u"photo-of-a-sheet.jpg"_s);
        writePhotographedSheet(photo);
        auto *photos = new PhotoMarkingWindow(m_menu.context(), { photo }, &m_menu);
        photos->setObjectName(u"tourPhotos"_s);
        photos->show();
    });
    then(2500, [this] {
        auto *photos = m_menu.findChild<PhotoMarkingWindow *>(u"tourPhotos"_s);
        save(photos, u"photo-marking"_s);
        photos->close();
        m_menu.close();
    });
    runNext();
}

void ScreenshotTour::writePhotographedSheet(const QString &path)
{
    // Mostly right, four wrong, as a child writes them.
    const trialphoto::PhotographedSheet sheet = trialphoto::photographedSheet(
        trialphoto::HeldOutDigits(QRTA_DIGITS_PNG),
        m_menu.context().settings().installationNumber(), 3, 12, QDateTime::currentDateTime(), 5, 3,
        [](const ScanRoom &room) {
            return room.position % 9 == 4 ? QString::number(room.answer.toInt() + 10) : room.answer;
        });
    scannablesheets::store(m_menu.context().database(), sheet.scannable);
    QImageWriter writer(path);
    writer.setQuality(95);
    writer.write(matimage::toImage(sheet.photo));
}

void ScreenshotTour::previewInTour(WorksheetWindow *worksheet)
{
    // The preview as the print buttons show it, left open for the next step to save.
    worksheet->preview = [this](const QList<SheetDocument> &documents) {
        auto *preview = new PrintPreviewDialog(documents, &m_menu);
        preview->setObjectName(u"tourPreview"_s);
        preview->setWindowState(Qt::WindowNoState);
        preview->resize(1000, 760);
        preview->show();
    };
}

void ScreenshotTour::saveAndClosePreview(const QString &name)
{
    auto *preview = m_menu.findChild<PrintPreviewDialog *>(u"tourPreview"_s);
    save(preview, name);
    preview->close();
    preview->deleteLater();
}

void ScreenshotTour::then(int delayMs, Step step)
{
    m_steps.append({ delayMs, std::move(step) });
}

void ScreenshotTour::runNext()
{
    if (m_steps.isEmpty())
        return;
    const auto [delay, step] = m_steps.takeFirst();
    // Each step draws from a source seeded by its place in the tour, so that two tours show
    // the same questions and deals and compare pixel by pixel; a settings write reseeds the
    // process's source from the clock.
    const quint64 seed = 2026 + quint64(m_steps.size());
    QTimer::singleShot(delay, this, [this, step, seed] {
        processRandom().reseed(seed);
        step();
        runNext();
    });
}

void ScreenshotTour::save(QWidget *window, const QString &name)
{
    // The window as painted, set on a plain desk so that its rounded outline shows.
    const QPixmap painted = window->grab();
    const qreal ratio = painted.devicePixelRatio();
    constexpr int margin = 12;
    QImage shot((window->size() + QSize(2 * margin, 2 * margin)) * ratio,
        QImage::Format_ARGB32_Premultiplied);
    shot.setDevicePixelRatio(ratio);
    shot.fill(QColor(0xd5, 0xdb, 0xe1));
    QPainter painter(&shot);
    QRegion outline = window->mask().isEmpty() ? QRegion(window->rect()) : window->mask();
    painter.setClipRegion(outline.translated(margin, margin));
    painter.drawPixmap(margin, margin, painted);
    painter.end();

    const QString suffix = ratio > 1 ? u"@%1x"_s.arg(ratio) : QString();
    const QString path = QDir(m_folder).filePath(name + suffix + u".png"_s);
    if (shot.save(path))
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "qrta: cannot write %s\n", qPrintable(path));
}
