#include "private_print_system.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace tarnwell::testing {

namespace {

const QStringList kSbin = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/sbin")};
const char* const kPdfModel = "lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd";
const char* const kPdfModelFile = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

QString tool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty()) path = QStandardPaths::findExecutable(name, kSbin);
    return path;
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

}  // namespace

int runBounded(const QString& program, const QStringList& args, int timeoutMs, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs)) return -1;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        if (output) *output = QString::fromLocal8Bit(p.readAll()) + QStringLiteral("\n(killed after %1 ms)").arg(timeoutMs);
        return -1;
    }
    if (output) *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

PrivatePrintSystem::PrivatePrintSystem() : dir_(QDir::tempPath() + QStringLiteral("/tarnwell-print-XXXXXX")) {}

PrivatePrintSystem::~PrivatePrintSystem() { stop(); }

QString PrivatePrintSystem::missingPart() {
    if (tool(QStringLiteral("cupsd")).isEmpty()) return QStringLiteral("cupsd is not installed (Debian package cups)");
    for (const char* t : {"lpadmin", "lpstat", "cupsenable", "cupsreject"})
        if (tool(QString::fromLatin1(t)).isEmpty())
            return QStringLiteral("%1 is missing (Debian package cups-client)").arg(QString::fromLatin1(t));
    return QString();
}

QString PrivatePrintSystem::start() {
    if (const QString missing = missingPart(); !missing.isEmpty()) return missing;
    if (!QFileInfo::exists(QString::fromLatin1(kPdfModelFile)))
        return QStringLiteral("the PDF printer model %1 is missing (Debian package cups-filters)").arg(kPdfModelFile);
    if (!dir_.isValid()) return QStringLiteral("no temporary folder");
    const QString d = dir_.path();
    for (const char* sub : {"spool", "tmp", "cache", "state", "log", "out"}) QDir(d).mkpath(QString::fromLatin1(sub));
    // Filters run as the lp user when cupsd runs as root: they need a temp folder they may write.
    QFile::setPermissions(d + QStringLiteral("/tmp"), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(d + QStringLiteral("/out"), QFileDevice::Permissions(0x7777));

    const QByteArray conf = QStringLiteral(
        "Listen %1/cups.sock\n"
        "Browsing No\n"
        "WebInterface No\n"
        "LogLevel warn\n"
        "DefaultAuthType None\n"
        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n").arg(d).toUtf8();
    const QByteArray files = QStringLiteral(
        "ServerRoot %1\n"
        "RequestRoot %1/spool\n"
        "TempDir %1/tmp\n"
        "CacheDir %1/cache\n"
        "StateDir %1/state\n"
        "AccessLog %1/log/access_log\n"
        "ErrorLog %1/log/error_log\n"
        "PageLog %1/log/page_log\n"
        "FileDevice Yes\n").arg(d).toUtf8();
    if (!writeFile(d + QStringLiteral("/cupsd.conf"), conf) || !writeFile(d + QStringLiteral("/cups-files.conf"), files))
        return QStringLiteral("cannot write the cupsd configuration in %1").arg(d);

    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cupsd_->start(tool(QStringLiteral("cupsd")),
                  {QStringLiteral("-f"), QStringLiteral("-c"), d + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                   d + QStringLiteral("/cups-files.conf")});
    if (!cupsd_->waitForStarted(5000)) return QStringLiteral("cupsd did not start");

    // Ready when the scheduler answers on its socket.
    QDeadlineTimer ready(10000);
    QString out;
    while (admin(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &out) != 0 || !out.contains(QStringLiteral("is running"))) {
        if (ready.hasExpired() || cupsd_->state() == QProcess::NotRunning)
            return QStringLiteral("cupsd did not answer on %1: %2").arg(socketPath(), out);
        QThread::msleep(100);
    }
    if (admin(QStringLiteral("lpadmin"),
              {QStringLiteral("-p"), QStringLiteral("Test"), QStringLiteral("-E"), QStringLiteral("-v"),
               QStringLiteral("file://%1/out/first.pdf").arg(d), QStringLiteral("-m"), QString::fromLatin1(kPdfModel),
               // A4 as the queue's paper, so the print system and Qt (the
               // reference the page checks use) agree on the page.
               QStringLiteral("-o"), QStringLiteral("PageSize=A4")},
              &out) != 0)
        return QStringLiteral("lpadmin could not add the queue: ") + out;
    if (admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Test")}, &out) != 0)
        return QStringLiteral("lpadmin could not make the queue the default: ") + out;
    return QString();
}

void PrivatePrintSystem::stop() {
    if (!cupsd_) return;
    if (cupsd_->state() != QProcess::NotRunning) {
        cupsd_->terminate();  // SIGTERM to this cupsd's own pid
        if (!cupsd_->waitForFinished(5000)) {
            cupsd_->kill();
            cupsd_->waitForFinished(2000);
        }
    }
    cupsd_.reset();
}

bool PrivatePrintSystem::running() const { return cupsd_ && cupsd_->state() == QProcess::Running; }
qint64 PrivatePrintSystem::pid() const { return cupsd_ ? cupsd_->processId() : 0; }
QString PrivatePrintSystem::socketPath() const { return dir_.path() + QStringLiteral("/cups.sock"); }

int PrivatePrintSystem::admin(const QString& name, const QStringList& args, QString* output) const {
    QStringList all = args;
    // Every client tool is pointed at this system explicitly as well.
    all.prepend(socketPath());
    all.prepend(QStringLiteral("-h"));
    return runBounded(tool(name), all, 10000, output);
}

QString PrivatePrintSystem::expectPage(const QString& name) {
    pagePath_ = dir_.path() + QStringLiteral("/out/") + name + QStringLiteral(".pdf");
    QFile::remove(pagePath_);
    QString out;
    if (admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("Test"), QStringLiteral("-v"),
                                          QStringLiteral("file://") + pagePath_},
              &out) != 0)
        return QStringLiteral("lpadmin could not set the output file: ") + out;
    return QString();
}

QByteArray PrivatePrintSystem::takePdf(int timeoutMs, QString* why) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QString jobs;
        QFile f(pagePath_);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray data = f.readAll();
            const qsizetype begin = data.indexOf("%PDF-");
            const qsizetype end = data.lastIndexOf("%%EOF");
            const bool queueEmpty =
                admin(QStringLiteral("lpstat"), {QStringLiteral("-o"), QStringLiteral("Test")}, &jobs) == 0 &&
                jobs.trimmed().isEmpty();
            if (begin >= 0 && end > begin && queueEmpty) return data.mid(begin, end + 5 - begin);
        }
        if (deadline.hasExpired()) {
            QFile log(dir_.path() + QStringLiteral("/log/error_log"));
            log.open(QIODevice::ReadOnly);
            if (why)
                *why = QStringLiteral("no complete PDF in %1 after %2 ms; jobs: %3; log: %4")
                           .arg(pagePath_).arg(timeoutMs).arg(jobs, QString::fromUtf8(log.readAll().right(2000)));
            return QByteArray();
        }
        QThread::msleep(100);
    }
}

QImage PrivatePrintSystem::pageImage(const QByteArray& pdf, int dpi, const QString& workDir, QString* why) {
    const QString pdfPath = workDir + QStringLiteral("/page.pdf");
    const QString base = workDir + QStringLiteral("/page");
    if (!writeFile(pdfPath, pdf)) {
        if (why) *why = QStringLiteral("cannot write ") + pdfPath;
        return QImage();
    }
    const QString pdftoppm = tool(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        if (why) *why = QStringLiteral("pdftoppm is not installed (Debian package poppler-utils)");
        return QImage();
    }
    QString out;
    if (runBounded(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                              QStringLiteral("-singlefile"), pdfPath, base},
                   30000, &out) != 0) {
        if (why) *why = QStringLiteral("pdftoppm failed: ") + out;
        return QImage();
    }
    QImage image(base + QStringLiteral(".png"));
    if (image.isNull() && why) *why = QStringLiteral("pdftoppm wrote no picture");
    return image.convertToFormat(QImage::Format_RGB32);
}

int PrivatePrintSystem::lowestImageResolution(const QByteArray& pdf, const QString& workDir) {
    const QString pdfPath = workDir + QStringLiteral("/images.pdf");
    if (!writeFile(pdfPath, pdf)) return -1;
    QString out;
    if (runBounded(tool(QStringLiteral("pdfimages")), {QStringLiteral("-list"), pdfPath}, 30000, &out) != 0) return -1;
    // Columns: page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    int lowest = 0;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        bool isRow = false;
        f.value(0).toInt(&isRow);
        if (!isRow || f.size() < 14 || f.value(2) != QStringLiteral("image")) continue;
        const int ppi = std::min(f.value(12).toInt(), f.value(13).toInt());
        lowest = lowest == 0 ? ppi : std::min(lowest, ppi);
    }
    return lowest;
}

}  // namespace tarnwell::testing
