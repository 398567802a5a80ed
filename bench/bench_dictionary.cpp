// How the dictionary scales: load and save of a large kaomoji.dat against
// plain reads and writes of the same bytes, and the main window's start-up
// with that dictionary against an empty one. Prints ratios (ours / reference)
// measured in this run, so a busy machine moves both sides alike.
//
// usage: bench_dictionary [faces]   (default 100000)

#include "Application.h"
#include "KaomojiStore.h"
#include "MessageBox.h"
#include "Unit1.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAllSynced(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0)
        std::perror("reference write");
    ::close(fd);
}

void report(const char* what, double ours, double reference)
{
    std::printf("%-44s ours %9.2f ms  reference %9.2f ms  ratio %6.2f\n", what, ours, reference,
                ours / reference);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EmotipadApplication app(argc, argv);
    MessageBox::setResponder([](const MessageBox::Request&) {});
    const int faces = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir dir;
    const std::string big = dir.filePath("kaomoji.dat").toStdString();
    const std::string empty = dir.filePath("empty.dat").toStdString();
    const std::string copy = dir.filePath("copy.dat").toStdString();
    {
        std::mt19937 random(1);
        const std::vector<std::string> parts = {"(",        ")",        "^", "o", "\x81\x5B",
                                                "\x83\x6D", "\x81\x4D", "_", "-", "\x81\x9E"};
        KaomojiStore store;
        for (int i = 0; i < faces; ++i) {
            std::string face;
            for (int k = 0; k < 8; ++k)
                face += parts[random() % parts.size()];
            store.append(i % KaomojiStore::GenreCount, face);
        }
        store.save(big);
        KaomojiStore().save(empty);
    }
    const std::string bytes = readAll(big);
    std::printf("dictionary: %d faces, %zu bytes\n", faces, bytes.size());

    KaomojiStore store;
    const double load = medianMs(7, [&] { store.load(big); });
    const double read = medianMs(7, [&] { (void)readAll(big); });
    report("load vs reading the file", load, read);

    const double save = medianMs(7, [&] { store.save(copy); });
    const double write = medianMs(7, [&] { writeAllSynced(copy, bytes); });
    report("save vs writing the same bytes (fsync)", save, write);

    const auto startUp = [&](const std::string& data) {
        TForm1 form({QString::fromStdString(data), dir.filePath("bench.INI")});
        form.show();
        QCoreApplication::processEvents();
        form.grab(); // paints the visible rows
    };
    startUp(empty); // warm up fonts and styles
    const double bigStart = medianMs(5, [&] { startUp(big); });
    const double emptyStart = medianMs(5, [&] { startUp(empty); });
    report("window start-up vs empty dictionary", bigStart, emptyStart);
    return 0;
}
