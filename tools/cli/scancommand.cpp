#include "arguments.h"
#include "commands.h"
#include "commonoptions.h"
#include "output.h"

#include "photoreader.h"
#include "scanbatch.h"

#include "program/appcontext.h"
#include "quiz/sheetmarking.h"
#include "worksheet/scannablesheet.h"

using namespace Qt::Literals::StringLiterals;
using namespace commonoptions;

int runScanCommand(const QStringList &args)
{
    const QList<OptionSpec> options = { database(), child(), help() };
    const Arguments arguments(args, options, Arguments::Files::Taken);
    if (helpAsked(arguments, u"qrta-cli scan [--database PATH] [--child NAME] IMAGE…"_s,
            u"批改拍照或扫描的“可拍照批改”卷子（JPEG 或 PNG，一页一张，几份卷子的各页次序不限）："
            "认出每题写的答案，把每份卷子存为一次测试。每题输出一行，以制表符分隔："
            "卷号 题号 题目 认出的数字 right|wrong|unsure；没认清的题（unsure）留空，"
            "测试存为未完成，在程序里补上后交卷。每页只读一次：没读过的页补进这份卷子的测试，"
            "所有页读过、每题有把握时才批改；读过的页不再读。一张照片读不出、"
            "不是这个数据文件打印的或那一页已经读过时，状态为 1，其余照片照常批改。"_s,
            options))
        return flushOut();
    if (arguments.files().isEmpty())
        throw UsageError(u"缺少要批改的照片（JPEG 或 PNG）"_s);

    // Without the reader no photo can be read: said once, not for every photo.
    if (QString why; !PhotoReader::load(&why)) {
        writeError(u"qrta-cli scan: %1\n"_s.arg(why));
        return 1;
    }

    int status = 0;
    const auto refuse = [&status](const QString &path, const QString &why) {
        writeError(u"qrta-cli scan: %1：%2\n"_s.arg(path, why));
        status = 1;
    };
    // Every photo is read before the data file is opened, so that the program is never kept
    // from its file while photos are decoded.
    struct Photo
    {
        QString path;
        std::optional<FoundPage> found;
        QString problem;
    };
    QList<Photo> photos;
    for (const QString &path : arguments.files()) {
        Photo photo { path, std::nullopt, {} };
        photo.found = ScanBatch::find(path, &photo.problem);
        photos << std::move(photo);
    }

    const auto file = openAsProgram(arguments, Access::Write);
    ScanBatch batch(file->database(), file->settings());
    batch.setChild(childOf(arguments, file->database()));
    for (Photo &photo : photos) {
        if (const ScanBatch::Page page = batch.add(photo.path, photo.found, photo.problem);
            !page.found)
            refuse(photo.path, page.problem);
        photo.found.reset();
    }

    OutputBuffer out;
    for (const ScanBatch::Sheet &sheet : batch.store()) {
        const StoredSheet &stored = sheet.stored;
        if (!stored.pagesReadBefore.isEmpty()
            || stored.outcome == StoredSheet::Outcome::AlreadyStored) {
            writeError(u"qrta-cli scan: %1\n"_s.arg(storedSheetSummary(sheet.sheet, stored)));
            status = 1;
            if (stored.outcome == StoredSheet::Outcome::AlreadyStored)
                continue;
        } else {
            writeError(storedSheetSummary(sheet.sheet, stored) + u'\n');
        }
        for (const ScanRoom &room : sheet.sheet.rooms) {
            if (!stored.pagesRead.contains(room.page))
                continue;
            const ReadAnswer answer = sheet.answers.value(room.position);
            out.line(QStringList { sheet.sheet.number, QString::number(room.position),
                room.question, answer.digits, verdictWord(verdictOf(room, answer)) }
                         .join(u'\t'));
        }
    }
    return std::max(out.finish(), status);
}
