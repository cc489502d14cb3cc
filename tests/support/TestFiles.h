// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// File helpers shared by the tests that write, damage or starve files.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// A file's bytes; "<unreadable>" for one that can't be read, so that it never
// passes for an empty file.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Makes every write beyond `bytes` fail for the lifetime of the object, as a
// full disk would; the signal the kernel sends for it is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active = false;

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

// Should the code under test wait on the FIFO at `path`, this writes `bytes`
// into it after ten seconds, so the test fails instead of hanging. Call
// finished() once the code has returned: released() then says whether it
// had to wait (a test that checks this, not the time taken, holds on a
// loaded machine too).
class FifoReleaser {
public:
    FifoReleaser(const QString &path, const QByteArray &bytes)
        : releaser([this, native = QFile::encodeName(path), bytes] {
              for (int i = 0; i < 200 && !returned; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              if (returned)
                  return;
              wrote = true;
              const int fd = ::open(native.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
              if (fd >= 0) {
                  [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
                  ::close(fd);
              }
          })
    {
    }
    ~FifoReleaser() { finished(); }
    FifoReleaser(const FifoReleaser &) = delete;
    FifoReleaser &operator=(const FifoReleaser &) = delete;

    void finished()
    {
        returned = true;
        if (releaser.joinable())
            releaser.join();
    }
    bool released() const { return wrote; }

private:
    std::atomic<bool> returned{false};
    std::atomic<bool> wrote{false};
    std::thread releaser;
};
