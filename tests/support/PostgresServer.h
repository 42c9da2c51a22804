// SPDX-License-Identifier: Apache-2.0
#pragma once

// A PostgreSQL server of its own for one test, from the Debian package's binaries: a private
// data folder and socket folder in a temporary folder, no TCP, started and stopped here. Run
// as root (as CI runs), the server runs as "nobody", since PostgreSQL refuses root.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace tessel::testing {

class PostgresServer {
public:
    PostgresServer() {
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        for (const QString &v : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (QFile::exists(versions.filePath(v + "/bin/initdb")))
                m_bin = versions.filePath(v + "/bin/");
        if (m_bin.isEmpty()) {
            m_unavailable = "no PostgreSQL server is installed (Debian: postgresql)";
            return;
        }
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            m_user = {"--reuid", QString::number(nobody->pw_uid), "--regid",
                      QString::number(nobody->pw_gid), "--clear-groups"};
            if (::chown(QFile::encodeName(m_dir.path()).constData(), nobody->pw_uid,
                        nobody->pw_gid) != 0)
                m_unavailable = "cannot give the server's folder to nobody";
        }
        QProcess initdb;
        start(initdb, "initdb",
              {"-D", data(), "-U", "tessel", "--auth=trust", "-E", "UTF8", "--no-sync"});
        if (!initdb.waitForFinished(60000) || initdb.exitCode() != 0) {
            m_unavailable = "initdb failed: " + QString::fromLocal8Bit(initdb.readAll());
            return;
        }
        // Its log in a file: a pipe nobody read would fill and stop the server.
        m_server.setStandardOutputFile(m_dir.filePath("server.log"));
        start(m_server, "postgres",
              {"-D", data(), "-k", m_dir.path(), "-c", "listen_addresses=", "-F"});
        for (int i = 0; i < 200; ++i) {
            QProcess ready;
            start(ready, "pg_isready", {"-h", m_dir.path(), "-U", "tessel", "-q"});
            if (ready.waitForFinished(5000) && ready.exitCode() == 0)
                return;
            QThread::msleep(100);
        }
        QFile log(m_dir.filePath("server.log"));
        m_unavailable =
            "the server did not start: " +
            (log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : "");
    }
    ~PostgresServer() {
        if (m_server.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_server.processId()), SIGINT); // a fast shutdown
        if (!m_server.waitForFinished(15000))
            m_server.kill();
        m_server.waitForFinished(3000);
    }
    PostgresServer(const PostgresServer &) = delete;
    PostgresServer &operator=(const PostgresServer &) = delete;

    // Why the server is not there; empty when it runs.
    [[nodiscard]] const QString &unavailable() const { return m_unavailable; }
    // Its default database, for --record.
    [[nodiscard]] QString url() const {
        return "postgresql://tessel@localhost/postgres?host=" + m_dir.path();
    }

private:
    [[nodiscard]] QString data() const { return m_dir.filePath("data"); }
    void start(QProcess &process, const QString &binary, const QStringList &arguments) {
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setWorkingDirectory(m_dir.path());
        if (m_user.isEmpty())
            process.start(m_bin + binary, arguments);
        else
            process.start("setpriv", m_user + QStringList{m_bin + binary} + arguments);
    }

    QTemporaryDir m_dir;
    QString m_bin;
    QStringList m_user; // setpriv's options, when the test runs as root
    QProcess m_server;
    QString m_unavailable;
};

} // namespace tessel::testing
