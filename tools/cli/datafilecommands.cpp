#include "arguments.h"
#include "commonoptions.h"
#include "commands.h"
#include "output.h"

#include "game24/puzzledeck.h"
#include "game24/puzzletable.h"
#include "program/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "quiz/testrecords.h"

using namespace Qt::Literals::StringLiterals;

using namespace commonoptions;

namespace {

// One row a setting, whatever the value holds: line breaks, tabs and other control
// characters are written as escapes. Backslashes stay as they are: the worksheet and test
// settings are fields separated by them.
QString escapedValue(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'\n')
            escaped += u"\\n"_s;
        else if (c == u'\t')
            escaped += u"\\t"_s;
        else if (c == u'\r')
            escaped += u"\\r"_s;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            escaped += u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'));
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

int runSettingsCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        { u"set"_s, u"KEY=VALUE"_s, u"先写入一个设置项（system_0 除外），按其所属类别加密"_s },
        help(),
    };
    const Arguments arguments(args, options);
    if (helpAsked(arguments, u"qrta-cli settings [--database PATH] [--set KEY=VALUE]"_s,
            u"打开数据文件（不存在时按出厂状态创建并首次启动），逐行输出“设置项<TAB>解密后的值”；"
            "值里的换行、制表符等控制字符写成 \\n、\\t、\\xHH。晨曦算苑正在使用数据文件时只能读，不能 --set。"_s,
            options))
        return flushOut();

    QString setKey, setValue;
    if (arguments.has(u"set"_s)) {
        const QString assignment = arguments.text(u"set"_s);
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0)
            throw UsageError(u"--set 的取值须为 KEY=VALUE，收到“%1”"_s.arg(assignment));
        setKey = assignment.left(eq);
        setValue = assignment.mid(eq + 1);
        const SettingKey *key = Settings::key(setKey);
        if (!key)
            throw UsageError(u"没有设置项“%1”"_s.arg(setKey));
        if (key->family == SettingKey::Family::Installation)
            throw UsageError(u"%1 是安装编号，不能改写"_s.arg(setKey));
    }

    const auto file = openAsProgram(arguments, setKey.isEmpty() ? Access::Read : Access::Write);
    if (!setKey.isEmpty())
        file->settings().write(setKey, setValue);

    OutputBuffer out;
    for (const SettingKey &key : Settings::keys())
        out.line(key.name + u'\t' + escapedValue(file->settings().read(key.name)));
    return out.finish();
}

int runPuzzlesCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        { u"level"_s, u"L"_s, u"只列出难度 L（1 简单 … 5 很难）的题"_s },
        help(),
    };
    const Arguments arguments(args, options);
    if (helpAsked(arguments, u"qrta-cli puzzles [--database PATH] [--level L]"_s,
            u"按编号列出24点题库：编号、难度、四个数、是否已做过、答案，以制表符分隔。"_s, options))
        return flushOut();
    const qint64 level = arguments.integer(u"level"_s, 1, game24::kLevelCount, 0);

    const auto file = openAsProgram(arguments);
    OutputBuffer out;
    for (const PuzzleDeck::Stored &puzzle : PuzzleDeck::stored(file->database(), int(level))) {
        QStringList fields { puzzle.id, puzzle.level };
        fields.append(QStringList(puzzle.numbers.begin(), puzzle.numbers.end()));
        fields << puzzle.played << puzzle.answer;
        out.line(fields.join(u'\t'));
    }
    return out.finish();
}

int runRecordsCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        child(),
        { u"items"_s, u"BH"_s,
            u"改为按题序列出试卷 BH 的各题：序号、题目、所填答案、是否错、正确答案"_s },
        help(),
    };
    const Arguments arguments(args, options);
    if (helpAsked(arguments, u"qrta-cli records [--database PATH] [--child NAME] [--items BH]"_s,
            u"列出保存的电脑测试，最新的在前，以制表符分隔："
            "id bh tx nd ts js zqs cws sj zt（空值为空文本）。"_s,
            options))
        return flushOut();
    if (arguments.has(u"items"_s) && arguments.text(u"items"_s).isEmpty())
        throw UsageError(u"--items 的取值不能为空"_s);

    const auto file = openAsProgram(arguments);
    Database &db = file->database();
    auto number = [](const std::optional<qint64> &value) {
        return value ? QString::number(*value) : QString();
    };
    OutputBuffer out;
    if (arguments.has(u"items"_s)) {
        const QString bh = arguments.text(u"items"_s);
        if (!findTestRecord(db, bh))
            throw UsageError(u"没有编号为“%1”的试卷"_s.arg(bh));
        for (const TestItem &item : loadTestItems(db, bh, ItemOrder::Question)) {
            const QString error = item.error ? QString::number(*item.error) : QString();
            out.line(QStringList {
                QString::number(item.position), item.question, item.userAnswer, error, item.answer }
                         .join(u'\t'));
        }
        return out.finish();
    }
    for (const TestRecord &record : listTestRecords(db, childOf(arguments, db))) {
        out.line(QStringList { QString::number(record.id), record.number, record.typeName,
            record.levelName, number(record.count), number(record.elapsed), number(record.right),
            number(record.wrong), record.timeText, number(record.marked) }
                     .join(u'\t'));
    }
    return out.finish();
}
