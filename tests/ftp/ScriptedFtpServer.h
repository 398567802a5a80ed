#pragma once
// A small FTP server for tests: it plays the replies a test writes, in order,
// with pauses between pieces, and records the exact command lines the client
// sent. It listens on 127.0.0.1 only and every wait it makes is bounded, so
// a client that waits for a reply the script never sends is released when the
// server gives up and closes the connection.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ScriptedFtpServer
{
public:
    ScriptedFtpServer();
    ~ScriptedFtpServer();

    ScriptedFtpServer(const ScriptedFtpServer&) = delete;
    ScriptedFtpServer& operator=(const ScriptedFtpServer&) = delete;

    int port() const { return m_port; }

    // Script steps, played in order once start() is called. The first
    // connection is accepted before the first step.
    ScriptedFtpServer& send(const std::string& bytes);
    ScriptedFtpServer& pause(int ms);
    // Waits for one command line from the client and records it.
    ScriptedFtpServer& expect();
    // expect(), then send the line with CR LF.
    ScriptedFtpServer& reply(const std::string& line) { return expect().send(line + "\r\n"); }
    // A greeting, USER answered 331 and PASS answered 230.
    ScriptedFtpServer& login();
    // Closes the current connection.
    ScriptedFtpServer& hangUp();
    // Waits for the client's next connection.
    ScriptedFtpServer& acceptNext();

    void start();
    // Ends the script: after its last step the server keeps recording lines
    // until the client closes, stop() is called or a few seconds pass.
    void stop();

    // Every command line received so far, each with its line end as sent.
    std::vector<std::string> commands() const;
    // True once every step of the script has been played.
    bool scriptDone() const { return m_scriptDone; }
    // Steps that could not be played (an expected line never came), for a
    // test's failure message.
    std::string problems() const;

    // How long the server waits for a connection or a line before it gives up.
    static constexpr int StepLimitMs = 5000;

private:
    struct Step
    {
        enum Kind { Send, Pause, Expect, HangUp, Accept } kind;
        std::string bytes;
        int ms = 0;
    };

    void run();
    bool acceptConnection();
    bool readLine(int limitMs);
    void drain();
    void closeConnection();

    int m_listen = -1;
    int m_connection = -1;
    int m_port = 0;
    std::vector<Step> m_steps;
    std::string m_input;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_scriptDone{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_commands;
    std::string m_problems;
};
