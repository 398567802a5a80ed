#include "ScriptedFtpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

} // namespace

ScriptedFtpServer::ScriptedFtpServer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listen, 4) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("scripted server: cannot listen on 127.0.0.1");
    m_port = ntohs(address.sin_port);
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    stop();
    closeConnection();
    if (m_listen >= 0)
        ::close(m_listen);
}

ScriptedFtpServer& ScriptedFtpServer::send(const std::string& bytes)
{
    m_steps.push_back({Step::Send, bytes, 0});
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::pause(int ms)
{
    m_steps.push_back({Step::Pause, {}, ms});
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::expect()
{
    m_steps.push_back({Step::Expect, {}, 0});
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::login()
{
    return send("220 scripted server ready\r\n").reply("331 password please").reply("230 logged in");
}

ScriptedFtpServer& ScriptedFtpServer::hangUp()
{
    m_steps.push_back({Step::HangUp, {}, 0});
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::acceptNext()
{
    m_steps.push_back({Step::Accept, {}, 0});
    return *this;
}

void ScriptedFtpServer::start()
{
    m_thread = std::thread([this] { run(); });
}

void ScriptedFtpServer::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<std::string> ScriptedFtpServer::commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

std::string ScriptedFtpServer::problems() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_problems;
}

void ScriptedFtpServer::closeConnection()
{
    if (m_connection >= 0)
        ::close(m_connection);
    m_connection = -1;
    m_input.clear();
}

bool ScriptedFtpServer::acceptConnection()
{
    closeConnection();
    const auto deadline = Clock::now() + std::chrono::milliseconds(StepLimitMs);
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        int wait = std::min(50, msLeft(deadline));
        if (::poll(&p, 1, wait) > 0) {
            m_connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            return m_connection >= 0;
        }
        if (msLeft(deadline) == 0)
            return false;
    }
    return false;
}

bool ScriptedFtpServer::readLine(int limitMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
        auto end = m_input.find('\n');
        if (end != std::string::npos) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_commands.push_back(m_input.substr(0, end + 1));
            m_input.erase(0, end + 1);
            return true;
        }
        if (m_connection < 0 || msLeft(deadline) == 0)
            return false;
        // Once stopped, take only what has already arrived.
        const bool stopping = m_stop;
        pollfd p{m_connection, POLLIN, 0};
        if (::poll(&p, 1, stopping ? 0 : std::min(50, msLeft(deadline))) <= 0) {
            if (stopping)
                return false;
            continue;
        }
        char chunk[4096];
        ssize_t n = ::recv(m_connection, chunk, sizeof chunk, 0);
        if (n <= 0) {
            closeConnection();
            return false;
        }
        m_input.append(chunk, static_cast<size_t>(n));
    }
}

void ScriptedFtpServer::drain()
{
    while (m_connection >= 0)
        if (!readLine(StepLimitMs))
            break;
}

void ScriptedFtpServer::run()
{
    auto problem = [this](const std::string& text) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_problems += text + "\n";
    };
    if (!acceptConnection()) {
        problem("no client connected");
        m_scriptDone = true;
        return;
    }
    for (size_t i = 0; i < m_steps.size(); ++i) {
        const Step& step = m_steps[i];
        switch (step.kind) {
        case Step::Send: {
            size_t sent = 0;
            while (m_connection >= 0 && sent < step.bytes.size()) {
                ssize_t n =
                    ::send(m_connection, step.bytes.data() + sent, step.bytes.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) {
                    problem("send failed at step " + std::to_string(i));
                    closeConnection();
                    break;
                }
                sent += static_cast<size_t>(n);
            }
            break;
        }
        case Step::Pause:
            std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
            break;
        case Step::Expect:
            if (!readLine(StepLimitMs))
                problem("no command line at step " + std::to_string(i));
            break;
        case Step::HangUp:
            closeConnection();
            break;
        case Step::Accept:
            if (!acceptConnection())
                problem("no second connection at step " + std::to_string(i));
            break;
        }
    }
    m_scriptDone = true;
    drain();
    closeConnection();
}
