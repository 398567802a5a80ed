#include "RealFtpServer.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {

const char kServerScript[] = R"PY(
import os, sys, threading
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]

def watch_parent():
    sys.stdin.read()
    os._exit(0)

threading.Thread(target=watch_parent, daemon=True).start()
threading.Timer(600, lambda: os._exit(1)).start()

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")

class Handler(FTPHandler):
    pass

Handler.authorizer = authorizer
Handler.banner = "test server ready"
# Answer a wrong password at once instead of after the usual delay.
Handler.auth_failed_timeout = 0.05

server = FTPServer(("127.0.0.1", 0), Handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever(timeout=0.2)
)PY";

} // namespace

RealFtpServer::RealFtpServer(const QString& user, const QString& password)
    : m_user(user), m_password(password)
{
}

RealFtpServer::~RealFtpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool RealFtpServer::start(QString* error)
{
    if (!m_root.isValid() || !m_scriptDir.isValid()) {
        *error = "cannot make temporary directories";
        return false;
    }
    const QString script = m_scriptDir.filePath("ftpserver.py");
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) || file.write(kServerScript) < 0) {
        *error = "cannot write the server script";
        return false;
    }
    file.close();

    // The server changes into directories to test them; give it a working
    // directory of its own that no test removes.
    m_process.setWorkingDirectory(m_scriptDir.path());
    m_process.setProgram("/usr/bin/python3");
    m_process.setArguments({script, m_root.path(), m_user, m_password});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(5000)) {
        *error = "cannot start /usr/bin/python3: " + m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(
            static_cast<int>(qMax<qint64>(1, qMin<qint64>(200, deadline.remainingTime()))));
        output += m_process.readAllStandardOutput();
    }
    bool ok = false;
    m_port = output.trimmed().toInt(&ok);
    if (!ok || m_port <= 0) {
        *error = "the FTP server did not report its port: " + QString::fromUtf8(output);
        return false;
    }
    return true;
}
