#pragma once

#include "quiz/sheetmarking.h"
#include "worksheet/scannablesheet.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QLineEdit;

// Beside a photographed page: one answer room cut from the straightened page and enlarged, the
// question it answers, and a box where the parent types what the paper says, or clears it where
// the child wrote nothing. Enter takes what the box holds; Tab and Shift+Tab ask for the next
// or the previous room the reader was not sure of.
class RoomCorrector final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RoomCorrector)

public:
    explicit RoomCorrector(QWidget *parent = nullptr);

    // page: the straightened page the room lies on.
    void showRoom(const QImage &page, const ScanRoom &room, const ReadAnswer &answer);
    // No room chosen, with a word of what to do.
    void showNothing(const QString &note);
    QLineEdit *answerBox() const { return m_box; }
    const ScanRoom &room() const { return m_room; }

signals:
    void corrected(const ReadAnswer &answer);
    void stepRequested(bool backwards);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void take();
    void showVerdict(const ReadAnswer &answer);

    ScanRoom m_room;
    QLabel *m_question = nullptr;
    QLabel *m_crop = nullptr;
    QLabel *m_read = nullptr;
    QLineEdit *m_box = nullptr;
    QLabel *m_verdict = nullptr;
    QLabel *m_note = nullptr;
};
