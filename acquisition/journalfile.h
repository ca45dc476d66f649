#pragma once

#include "acquisition/readingjournal.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>

namespace acquisition {

// The journal of readings: one CSV file per day, YYYY-MM-DD.csv in its folder
// (a plain file only: anything else there is a failure),
// a header line when the file is new, then one line per value, each added by
// a single append so that a crash never leaves half a line. The file stays
// open during a series only. A failure (full disk, folder that cannot be
// written) is reported once; the next values try again, and the report comes
// back only after a value has been written in between.
class JournalFile : public ReadingJournal {
public:
    struct Context {
        std::function<QDateTime()> now;              // local time
        std::function<QString()> configurationPath;  // the current .mux file; empty: none
        // The file or folder that could not be written, and the system's reason.
        std::function<void(const QString &where, const QString &reason)> reportFailure;
        // The reason given when the day's file is a FIFO, device or folder.
        std::function<QString()> notPlainFile {};
    };

    JournalFile(QString folder, Context context);
    ~JournalFile() override;
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    static QByteArray headerLine();
    // The line of one reading, CR LF ended, fields quoted where needed.
    static QByteArray csvLine(const QDateTime &time, const QString &configuration,
                              const JournalReading &reading);
    static QString fileName(const QDate &day);

    const QString &folder() const { return m_folder; }
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }

    void record(const JournalReading &reading) override;
    void closeSeries() override;

private:
    bool openFor(const QDate &day);
    bool append(const QByteArray &line);
    void fail(int error);
    void failNotPlainFile();
    void report(const QString &reason);
    void close();

    QString m_folder;
    Context m_context;
    bool m_enabled = true;
    bool m_failing = false;
    int m_fd = -1;
    QDate m_openDay;
    QString m_openPath;
};

} // namespace acquisition
