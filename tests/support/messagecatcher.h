#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Answers the next message box once it shows, and keeps what it said. A box that shows while
// no catcher is armed fails the test at once with what it said, and is closed: nothing waits
// for an answer that never comes.
struct MessageCatcher
{
    QString text;
    QMessageBox::StandardButton button = QMessageBox::Ok;

    ~MessageCatcher() { s_armed = s_armed == this ? nullptr : s_armed; }

    void arm(QMessageBox::StandardButton pressed = QMessageBox::Ok)
    {
        // Nothing shown must not pass for what an earlier box said.
        text.clear();
        button = pressed;
        s_armed = this;
    }

    // Watches every box of the application; the main of every window test installs it.
    struct Watcher : QObject
    {
        using QObject::QObject;
        bool eventFilter(QObject *object, QEvent *event) override
        {
            // Answered once its own event loop runs, which a click inside show() would outrun.
            auto *box = qobject_cast<QMessageBox *>(object);
            if (box != nullptr && event->type() == QEvent::Show)
                QTimer::singleShot(0, box, [box] { answer(box); });
            return false;
        }
    };

private:
    static void answer(QMessageBox *box)
    {
        MessageCatcher *catcher = std::exchange(s_armed, nullptr);
        if (catcher == nullptr) {
            const QByteArray said = "unexpected message box: " + box->text().toUtf8();
            box->reject();
            QTest::qFail(said.constData(), __FILE__, __LINE__);
            return;
        }
        catcher->text = box->text();
        box->button(catcher->button)->click();
    }

    inline static MessageCatcher *s_armed = nullptr;
};
