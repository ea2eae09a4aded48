#include "typelistwindow.h"

#include "cjkfont.h"
#include "generate/catalogue.h"
#include "generate/questionmaker.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

TypeListWindow::TypeListWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(u"【晨曦算苑】"_s);
    setFont(cjkFont(12));

    auto *grid = new QGridLayout(this);
    auto *title = new QLabel(u"【晨曦算苑】 小学口算 7.0"_s, this);
    title->setFont(cjkFont(18, true));
    grid->addWidget(title, 0, 0, 1, 3);

    for (qint16 type = 1; type <= catalogue::kTypeCount; ++type) {
        grid->addWidget(new QLabel(QString::number(type % 10), this), type, 0);
        grid->addWidget(new QLabel(catalogue::typeLabel(type), this), type, 1);
        grid->addWidget(new QLabel(makeQuestion(type, 1), this), type, 2);
    }
    grid->setColumnStretch(2, 1);
}
