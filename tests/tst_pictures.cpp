#include "chrome/pictureregistry.h"
#include "game24/game24layout.h"

#include "support/guitestmain.h"
#include <QFile>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("shown"); // the number whose picture shows, 0 for none
        QTest::addColumn<QSize>("size"); // of a picture of its own
        QTest::addColumn<QString>("caption");
        // Bmpids sharing a size, the states drawn for them, and the caption each one's art
        // writes (none for pictures without words).
        const auto add = [](int first, int last, QSize size, int states, QStringList captions) {
            for (int bmpid = first; bmpid <= last; ++bmpid)
                for (int number = 1000 + bmpid; number <= states * 1000 + bmpid; number += 1000)
                    QTest::addRow("%d", number)
                        << number << number << size << captions.value(bmpid - first);
        };
        add(1, 1, QSize(25, 17), 2, {});
        add(2, 2, QSize(41, 17), 2, {});
        add(11, 20, QSize(64, 72), 2, {});
        add(21, 21, QSize(130, 70), 2, {});
        add(22, 22, QSize(125, 125), 2, {});
        add(23, 23, QSize(70, 100), 2, {});
        add(49, 59, QSize(93, 30), 4,
            { u"生成试题(F5)"_s, u"确定答题(F6)"_s, u"完成答题(F8)"_s, u"退出(Esc)"_s,
                u"试题/答案"_s, u"导出Excel"_s, u"打印试题"_s, u"打印答案"_s, u"重新计算"_s,
                u"查看答案"_s, u"下一题(F5)"_s });
        add(60, 61, QSize(180, 130), 1, {});
        add(62, 62, QSize(16, 10), 1, {});
        add(63, 67, QSize(93, 30), 4,
            { u"提示(F1)"_s, u"全部解法"_s, u"错题重练"_s, u"打印错题"_s, u"成绩曲线"_s });
        add(70, 70, QSize(800, 520), 1, {});
        add(71, 71, game24layout::kWindow, 1, {});
        add(72, 72, QSize(76, 76), 1, {}); // the desktop's icon, drawn larger
        add(73, 82, QSize(93, 30), 4,
            { u"综合练习"_s, u"单一题型"_s, u"编辑题组"_s, u"添加"_s, u"删除"_s, u"上移"_s,
                u"下移"_s, u"确定"_s, u"取消"_s, u"拍照批改"_s });
        // The main menu's tips, 5001 (no words) to 5014.
        const QStringList tips = { QString(), u"A + B"_s, u"A - B"_s, u"A ± B"_s, u"A±B±C"_s,
            u"A × B"_s, u"A±B×C"_s, u"A ÷ B"_s, u"A±B÷C"_s, u"A×B÷C"_s, u"四则混合"_s,
            u"24点游戏"_s, u"测试成绩"_s, u"退出(Esc)"_s };
        for (int i = 0; i < tips.size(); ++i)
            QTest::addRow("%d", 5001 + i) << 5001 + i << 5001 + i << QSize(240, 56) << tips.at(i);
        // A state not drawn shows the normal picture.
        for (const int number : { 3001, 4002, 4011, 3021, 4023, 2060, 4062, 2071 })
            QTest::addRow("%d falls back", number)
                << number << 1000 + number % 1000 << QSize() << QString();
        for (const int number :
            { 0, 7, -1001, 1003, 1010, 1024, 1048, 1068, 2068, 1088, 5000, 5015, 6001, 11001 })
            QTest::addRow("%d shows nothing", number) << number << 0 << QSize() << QString();
    }

    void numbers()
    {
        QFETCH(int, number);
        QFETCH(int, shown);
        QFETCH(QSize, size);
        QFETCH(QString, caption);
        QCOMPARE(PictureRegistry::shownNumber(number), shown);
        QCOMPARE(PictureRegistry::hasPicture(number), shown == number && shown != 0);
        if (shown != number)
            QVERIFY(PictureRegistry::resourcePath(number).isEmpty());
        if (shown == 0) {
            QVERIFY(!PictureRegistry::pictureSize(number).isValid());
            QVERIFY(PictureRegistry::pixmap(number, 1.0).isNull());
            return;
        }
        if (shown != number)
            size = PictureRegistry::pictureSize(shown); // checked in the normal picture's row
        QCOMPARE(PictureRegistry::pictureSize(number), size);

        // Art of another shape would be stretched.
        QSvgRenderer renderer(PictureRegistry::resourcePath(shown));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize().scaled(size, Qt::KeepAspectRatio), size);
        const QPixmap pixmap = PictureRegistry::pixmap(number, 2.0);
        QCOMPARE(pixmap.size(), size * 2);
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(size));

        // The caption tells the art behind a number from its neighbours'.
        if (!caption.isEmpty()) {
            QFile file(PictureRegistry::resourcePath(number));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString svg = QString::fromUtf8(file.readAll());
            QVERIFY2(svg.contains(u'>' + caption + u'<'), qPrintable(caption));
            // A list of families would be read as one unknown name by Qt Svg.
            QVERIFY(svg.contains(u"font-family=\"Noto Sans CJK SC\""_s));
        }
    }
};

QRTA_GUI_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
