#include "faults.h"

#include <QFile>

#include <csignal>
#include <cstdio>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace accrua::testsupport {

FailAfterDevice::FailAfterDevice(qint64 limit) : m_limit(limit)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FailAfterDevice::writeData(const char *data, qint64 len)
{
    const qint64 room = m_limit - m_data.size();
    if (room <= 0) {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
    const qint64 taken = qMin(room, len);
    m_data.append(data, taken);
    return taken;
}

namespace {

int runChild(const std::function<void()> &prepare, const std::function<int()> &body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        prepare();
        int status = 127;
        try {
            status = body();
        } catch (...) {
            status = 126;
        }
        std::fflush(nullptr);
        ::_exit(status);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int runWithFileSizeLimit(qint64 bytes, const std::function<int()> &body)
{
    return runChild(
        [bytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = static_cast<rlim_t>(bytes);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        body);
}

int runWithTimeLimit(unsigned seconds, const std::function<int()> &body)
{
    return runChild([seconds] { ::alarm(seconds); }, body);
}

int runUnprivileged(const std::function<int()> &body)
{
    return runChild(
        [] {
            if (::geteuid() == 0) {
                const gid_t nobodyGroup = 65534;
                const uid_t nobody = 65534;
                if (::setgroups(0, nullptr) != 0 || ::setgid(nobodyGroup) != 0 || ::setuid(nobody) != 0)
                    ::_exit(125);
            }
        },
        body);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace accrua::testsupport
