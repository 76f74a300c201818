#pragma once
// A print system of the test's own: a cupsd listening only on a Unix socket
// in a temporary folder, with one PDF queue on a file device as the default
// printer. The machine's printers and the user's CUPS are never touched.

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

namespace tarnwell::testing {

// Runs a program to its end, at most `timeoutMs`; its exit code, or -1 when it
// could not start or had to be killed. Output goes to `output` when given.
int runBounded(const QString& program, const QStringList& args, int timeoutMs, QString* output = nullptr);

class PrivatePrintSystem {
public:
    PrivatePrintSystem();
    ~PrivatePrintSystem();

    // Why the print system cannot run here (no cupsd installed, ...), or empty.
    static QString missingPart();

    // Starts cupsd, waits (bounded) until it answers, and sets up the default
    // queue. Sets CUPS_SERVER for this process. Empty on success, else why not.
    QString start();
    // Stops cupsd by its process id and waits for it to end.
    void stop();
    bool running() const;
    qint64 pid() const;
    QString socketPath() const;

    // Points the queue at a fresh output file, so that every page lands in a
    // file of its own. Empty on success, else why not.
    QString expectPage(const QString& name);
    // Waits (bounded) until the page announced by expectPage is written and
    // the queue is empty; then the PDF inside the file (CUPS wraps it in PJL).
    QByteArray takePdf(int timeoutMs, QString* why);
    // The PDF made into a picture with pdftoppm at `dpi`.
    static QImage pageImage(const QByteArray& pdf, int dpi, const QString& workDir, QString* why);
    // The lowest resolution (ppi) of the pictures inside the PDF, as pdfimages
    // lists them; 0 when it holds none, -1 when it cannot be read.
    static int lowestImageResolution(const QByteArray& pdf, const QString& workDir);

    // lpadmin/cupsenable/cupsreject and friends against this system.
    int admin(const QString& tool, const QStringList& args, QString* output = nullptr) const;
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    QString pagePath_;
};

}  // namespace tarnwell::testing
