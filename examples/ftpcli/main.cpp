// ftpcli: connects to an FTP server with TPellFtp and runs the commands given
// on the command line, printing every reply line and the outcome of each.
//
//   ftpcli HOST PORT USER PASSWORD [COMMAND...]
//
// Commands: cd DIR, mkdir DIR, rmdir DIR, delete FILE, rename FROM TO,
// quote LINE (a raw command line, its reply printed but not judged).

#include "PellFtp.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* TypeName(TFtpCmdType type)
{
    switch (type) {
    case fctChangeDir:
        return "cd";
    case fctMakeDir:
        return "mkdir";
    case fctDelete:
        return "delete";
    case fctRename:
        return "rename";
    case fctTransfer:
        return "transfer";
    case fctLogin:
        return "login";
    }
    return "?";
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: ftpcli HOST PORT USER PASSWORD [COMMAND...]\n"
                 "commands: cd DIR | mkdir DIR | rmdir DIR | delete FILE | rename FROM TO | quote LINE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return Usage();
    const std::vector<std::string> args(argv + 1, argv + argc);

    TPellFtp ftp;
    ftp.SetHost(args[0]);
    ftp.SetPort(std::atoi(args[1].c_str()));
    ftp.SetUserID(args[2]);
    ftp.SetPassword(args[3]);
    ftp.Loaded();

    bool anyFailed = false;
    // RemoveDir and Delete report the same type; name the command as typed.
    std::string running = "login";
    ftp.SetOnStatus([](TComponent*, std::string status) { std::printf("< %s\n", status.c_str()); });
    ftp.SetOnSuccess(
        [&](TFtpCmdType type) { std::printf("ok: %s (%s)\n", running.c_str(), TypeName(type)); });
    ftp.SetOnFailure([&](bool& handled, TFtpCmdType type) {
        std::printf("failed: %s (%s): %s\n", running.c_str(), TypeName(type), ftp.ResultText().c_str());
        anyFailed = true;
        handled = true;
    });

    try {
        ftp.Connect();
        if (!ftp.Connected()) {
            std::printf("failed: not logged in\n");
            return 1;
        }
        for (size_t i = 4; i < args.size(); ++i) {
            const std::string& command = args[i];
            running = command;
            auto argument = [&]() -> const std::string& {
                if (i + 1 >= args.size())
                    throw std::runtime_error(command + ": missing argument");
                return args[++i];
            };
            std::fflush(stdout);
            if (command == "cd") {
                ftp.ChangeDir(argument());
            } else if (command == "mkdir") {
                ftp.MakeDirectory(argument());
            } else if (command == "rmdir") {
                ftp.RemoveDir(argument());
            } else if (command == "delete") {
                ftp.Delete(argument());
            } else if (command == "rename") {
                const std::string from = argument();
                ftp.Rename(from, argument());
            } else if (command == "quote") {
                ftp.DoCommand(argument());
                std::printf("reply: %d\n", ftp.ResultCode());
            } else {
                throw std::runtime_error("unknown command: " + command);
            }
        }
        ftp.Disconnect();
    } catch (const std::exception& e) {
        // The component's, the socket layer's and our own errors alike.
        std::fflush(stdout);
        std::fprintf(stderr, "error: %s\n", e.what());
        return 2;
    }
    return anyFailed ? 1 : 0;
}
