#include "arguments.h"

using namespace Qt::Literals::StringLiterals;

Arguments::Arguments(const QStringList &args, const QList<OptionSpec> &options, Files files)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (files == Files::Taken && arg == u"--"_s) {
            m_files += args.mid(i + 1);
            break;
        }
        if (files == Files::Taken && !arg.startsWith(u"--"_s)) {
            m_files << arg;
            continue;
        }
        if (!arg.startsWith(u"--"_s) || arg.size() == 2)
            throw UsageError(u"多余的参数：%1"_s.arg(arg));
        QString name = arg.mid(2);
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(u'='); eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            inlineValue = true;
        }
        const auto option = std::find_if(options.begin(), options.end(),
            [&name](const OptionSpec &s) { return s.name == name; });
        if (option == options.end())
            throw UsageError(u"未知的选项：--%1"_s.arg(name));
        if (m_values.contains(name))
            throw UsageError(u"选项 --%1 只能给一次"_s.arg(name));
        if (option->valueName.isEmpty()) {
            if (inlineValue)
                throw UsageError(u"选项 --%1 不带取值"_s.arg(name));
        } else if (!inlineValue) {
            // "--type --level 2" means a forgotten value, not the type "--level".
            if (i + 1 >= args.size() || args.at(i + 1).startsWith(u"--"_s))
                throw UsageError(u"选项 --%1 缺少取值"_s.arg(name));
            value = args.at(++i);
        }
        m_values.insert(name, value);
    }
}

qint64 Arguments::integer(const QString &name, qint64 low, qint64 high) const
{
    if (!has(name))
        throw UsageError(u"缺少必需的选项 --%1"_s.arg(name));
    return integer(name, low, high, 0);
}

qint64 Arguments::integer(const QString &name, qint64 low, qint64 high, qint64 fallback) const
{
    if (!has(name))
        return fallback;
    const QString value = text(name);
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    // toLongLong accepts surrounding blanks and a "+"; a command line should not.
    if (!ok || value.trimmed() != value || value.startsWith(u'+'))
        throw UsageError(u"--%1 的取值“%2”不是整数"_s.arg(name, value));
    if (number < low || number > high)
        throw UsageError(
            u"--%1 须在 %2 到 %3 之间，收到 %4"_s.arg(name).arg(low).arg(high).arg(number));
    return number;
}

quint64 Arguments::unsignedInteger(const QString &name) const
{
    const QString value = text(name);
    bool ok = false;
    const quint64 number = value.toULongLong(&ok);
    if (!ok || value.isEmpty() || !value.front().isDigit() || value.trimmed() != value)
        throw UsageError(
            u"--%1 的取值“%2”不是 0 到 18446744073709551615 之间的整数"_s.arg(name, value));
    return number;
}

QString formatHelp(const QString &usage, const QString &summary, const QList<OptionSpec> &options)
{
    QString help = u"用法：%1\n\n%2\n"_s.arg(usage, summary);
    if (!options.isEmpty())
        help += u"\n选项：\n"_s;
    for (const OptionSpec &option : options) {
        QString left = u"  --"_s + option.name;
        if (!option.valueName.isEmpty())
            left += u' ' + option.valueName;
        help += left.leftJustified(24) + u' ' + option.help + u'\n';
    }
    return help;
}
