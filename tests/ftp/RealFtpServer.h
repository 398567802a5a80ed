#pragma once
// A real FTP server for tests: pyftpdlib run by /usr/bin/python3 on
// 127.0.0.1, on a port it picks itself, with a temporary root directory and
// one user with a password. It ends with the fixture, and on its own when the
// test process goes away (its standard input closes) or after ten minutes.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class RealFtpServer
{
public:
    RealFtpServer(const QString& user, const QString& password);
    ~RealFtpServer();

    // Starts the server and waits, at most 15 s, for its port. False, with the
    // reason in error, when it did not come up.
    bool start(QString* error);
    int port() const { return m_port; }
    // The directory the user sees as "/".
    QString root() const { return m_root.path(); }

private:
    QString m_user;
    QString m_password;
    QTemporaryDir m_root;
    QTemporaryDir m_scriptDir;
    QProcess m_process;
    int m_port = 0;
};
