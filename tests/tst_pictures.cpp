#include "pictureregistry.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Row
{
    int firstBmpid;
    int lastBmpid;
    QSize size;
    int lastState;
};

// The pictures the windows ask for, as the menus and dialogs are laid out.
const Row rows[] = {
    { 1, 1, QSize(25, 17), 2 },
    { 2, 2, QSize(41, 17), 2 },
    { 11, 20, QSize(64, 72), 2 },
    { 21, 21, QSize(130, 70), 2 },
    { 22, 22, QSize(125, 125), 2 },
    { 23, 23, QSize(70, 100), 2 },
    { 49, 59, QSize(93, 30), 4 },
    { 60, 61, QSize(180, 130), 1 },
    { 62, 62, QSize(16, 10), 1 },
    { 63, 67, QSize(93, 30), 4 },
};
const QSize tipSize(240, 56);

const QStringList buttonCaptions = { u"生成试题(F5)"_s, u"确定答题(F6)"_s, u"完成答题(F8)"_s,
    u"退出(Esc)"_s, u"试题/答案"_s, u"导出Excel"_s, u"打印试题"_s, u"打印答案"_s, u"重新计算"_s,
    u"查看答案"_s, u"下一题(F5)"_s };
const QStringList moreCaptions
    = { u"提示(F1)"_s, u"全部解法"_s, u"错题重练"_s, u"打印错题"_s, u"成绩曲线"_s }; // 63…67
const QStringList tipTexts
    = { u"A + B"_s, u"A - B"_s, u"A ± B"_s, u"A±B±C"_s, u"A × B"_s, u"A±B×C"_s, u"A ÷ B"_s,
          u"A±B÷C"_s, u"A×B÷C"_s, u"四则混合"_s, u"24点游戏"_s, u"测试成绩"_s, u"退出(Esc)"_s };

QImage imageOf(int number, qreal dpr)
{
    return PictureRegistry::pixmap(number, dpr).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels of image that are at least half opaque, and how many colours they have (up to 16).
std::pair<qsizetype, qsizetype> opaqueAndColours(const QImage &image)
{
    qsizetype opaque = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) >= 128) {
                ++opaque;
                if (colours.size() < 16)
                    colours.insert(pixel);
            }
        }
    }
    return { opaque, colours.size() };
}

qsizetype differingPixels(const QImage &a, const QImage &b)
{
    qsizetype count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyPicture_data();
    void everyPicture();
    void captions_data();
    void captions();
    void fallsBackToNormal_data();
    void fallsBackToNormal();
    void unknown_data();
    void unknown();
    void statesDiffer_data();
    void statesDiffer();
};

void TestPictures::everyPicture_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("size");
    for (const Row &row : rows) {
        for (int bmpid = row.firstBmpid; bmpid <= row.lastBmpid; ++bmpid) {
            for (int state = 1; state <= row.lastState; ++state) {
                const int number = state * 1000 + bmpid;
                QTest::addRow("%d", number) << number << row.size;
            }
        }
    }
    for (int number = 5001; number <= 5014; ++number)
        QTest::addRow("%d", number) << number << tipSize;
}

void TestPictures::everyPicture()
{
    QFETCH(int, number);
    QFETCH(QSize, size);
    QVERIFY(PictureRegistry::hasPicture(number));
    QCOMPARE(PictureRegistry::pictureSize(number), size);

    // Art drawn at another size would be stretched.
    QSvgRenderer renderer(PictureRegistry::resourcePath(number));
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), size);

    // Qt Svg does not clip to the view box: what would be cut off shows up in the margin.
    const int margin = 8;
    QImage outside(size + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    outside.fill(Qt::transparent);
    QPainter painter(&outside);
    renderer.render(&painter, QRectF(QPointF(margin, margin), size));
    painter.end();
    qsizetype spilled = 0;
    for (int y = 0; y < outside.height(); ++y) {
        for (int x = 0; x < outside.width(); ++x) {
            const bool inside = x >= margin && y >= margin && x < margin + size.width()
                && y < margin + size.height();
            spilled += !inside && qAlpha(outside.pixel(x, y)) > 32;
        }
    }
    QCOMPARE(spilled, 0);

    for (const qreal dpr : { 1.0, 2.0 }) {
        const QPixmap pixmap = PictureRegistry::pixmap(number, dpr);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size * dpr);
        QCOMPARE(pixmap.devicePixelRatio(), dpr);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(size));

        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        const auto [opaque, colours] = opaqueAndColours(image);
        QVERIFY2(opaque * 5 >= image.width() * image.height(), "less than a fifth is painted");
        QVERIFY2(colours > 1, "one flat colour");
    }
}

void TestPictures::captions_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    for (int bmpid = 49; bmpid <= 67; ++bmpid) {
        if (bmpid >= 60 && bmpid <= 62)
            continue;
        const QString caption
            = bmpid < 60 ? buttonCaptions.at(bmpid - 49) : moreCaptions.at(bmpid - 63);
        for (int state = 1; state <= 4; ++state)
            QTest::addRow("%d", state * 1000 + bmpid) << state * 1000 + bmpid << caption;
    }
    for (int i = 0; i < tipTexts.size(); ++i)
        QTest::addRow("%d", 5002 + i) << 5002 + i << tipTexts.at(i);
}

void TestPictures::captions()
{
    QFETCH(int, number);
    QFETCH(QString, caption);
    QFile file(PictureRegistry::resourcePath(number));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QVERIFY2(svg.contains(u'>' + caption + u'<'), qPrintable(caption));
    // A list of families would be read as one unknown name by Qt Svg.
    QVERIFY(svg.contains(u"font-family=\"Noto Sans CJK SC\""_s));
}

void TestPictures::fallsBackToNormal_data()
{
    QTest::addColumn<int>("number");
    for (const int number : { 3001, 4001, 3002, 4011, 3020, 3021, 4022, 3023, 2060, 4061 })
        QTest::addRow("%d", number) << number;
}

void TestPictures::fallsBackToNormal()
{
    QFETCH(int, number);
    const int normal = 1000 + number % 1000;
    QVERIFY(!PictureRegistry::hasPicture(number));
    QCOMPARE(PictureRegistry::shownNumber(number), normal);
    QCOMPARE(PictureRegistry::pictureSize(number), PictureRegistry::pictureSize(normal));
    for (const qreal dpr : { 1.0, 2.0 }) {
        const QImage image = imageOf(number, dpr);
        QVERIFY(!image.isNull());
        QCOMPARE(image, imageOf(normal, dpr));
    }
}

void TestPictures::unknown_data()
{
    QTest::addColumn<int>("number");
    for (const int number : { 1099, 7, 0, -1001, 1003, 1010, 1024, 1048, 1068, 2068, 5000, 5015,
             5049, 6001, 6049, 11001 })
        QTest::addRow("%d", number) << number;
}

void TestPictures::unknown()
{
    QFETCH(int, number);
    QVERIFY(!PictureRegistry::hasPicture(number));
    QCOMPARE(PictureRegistry::shownNumber(number), 0);
    QVERIFY(!PictureRegistry::pictureSize(number).isValid());
    QVERIFY(PictureRegistry::resourcePath(number).isEmpty());
    QVERIFY(PictureRegistry::pixmap(number, 1.0).isNull());
    QVERIFY(PictureRegistry::pixmap(number, 2.0).isNull());
}

void TestPictures::statesDiffer_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    for (const Row &row : rows) {
        for (int bmpid = row.firstBmpid; bmpid <= row.lastBmpid; ++bmpid) {
            for (int a = 1; a <= row.lastState; ++a) {
                for (int b = a + 1; b <= row.lastState; ++b)
                    QTest::addRow("%d-%d", a * 1000 + bmpid, b * 1000 + bmpid)
                        << a * 1000 + bmpid << b * 1000 + bmpid;
            }
        }
    }
    // Apples with different numerals must not share a picture, nor right and wrong.
    QTest::newRow("1011-1020") << 1011 << 1020;
    QTest::newRow("1060-1061") << 1060 << 1061;
}

void TestPictures::statesDiffer()
{
    QFETCH(int, first);
    QFETCH(int, second);
    const QImage a = imageOf(first, 2.0);
    const QImage b = imageOf(second, 2.0);
    QCOMPARE(a.size(), b.size());
    // More than a speck: a change a child can see.
    QVERIFY(differingPixels(a, b) * 50 >= a.width() * a.height());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
