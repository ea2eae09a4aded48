#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

// A bad command line. main() prints the message and exits with status 2.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    { }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

struct OptionSpec
{
    QString name; // without the leading "--"
    QString valueName; // empty for a flag
    QString help;
};

// "--name value" and "--name=value" options of one command. Anything else on the line is
// refused, unless the command takes files after its options (after "--" anything is one).
class Arguments
{
public:
    enum class Files { Refused, Taken };

    Arguments(
        const QStringList &args, const QList<OptionSpec> &options, Files files = Files::Refused);

    const QStringList &files() const { return m_files; }

    bool has(const QString &name) const { return m_values.contains(name); }
    QString text(const QString &name) const { return m_values.value(name); }

    // The option as a whole number in [low, high]; fallback when absent, or a
    // UsageError when required and absent.
    qint64 integer(const QString &name, qint64 low, qint64 high) const;
    qint64 integer(const QString &name, qint64 low, qint64 high, qint64 fallback) const;
    quint64 unsignedInteger(const QString &name) const;

private:
    QHash<QString, QString> m_values;
    QStringList m_files;
};

QString formatHelp(const QString &usage, const QString &summary, const QList<OptionSpec> &options);
