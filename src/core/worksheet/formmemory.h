#pragma once

#include "sheetentry.h"

#include <QList>

class Database;

// The forms and the mixed sheet chosen last, kept in the data file so that next week's sheet
// starts from this week's. A value that does not read, or a form the type does not offer,
// gives the plain form or no entries.
class FormMemory
{
public:
    enum class Window { Sheet, Test };

    struct Mix
    {
        QList<SheetEntry> entries;
        bool shuffle = false;
    };

    explicit FormMemory(Database &db);

    // The type and level as given, with the carry and blank chosen last for the type.
    QuestionForm form(Window window, qint16 type, qint16 level) const;
    void setForm(Window window, const QuestionForm &form);

    Mix mix() const;
    void setMix(const Mix &mix);

    // Whether a type's sheets (0: the mixed sheet's) are printed as 竖式.
    bool vertical(qint16 type) const;
    void setVertical(qint16 type, bool vertical);

    // Whether question sheets are printed to be photographed and marked.
    bool scannable() const;
    void setScannable(bool scannable);

private:
    QString read(const QString &key) const;
    void write(const QString &key, const QString &value);

    Database &m_db;
};
