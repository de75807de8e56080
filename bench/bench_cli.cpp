// The whole accrua-cli process for a 30-year loan with JSON output.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>

extern char **environ;

namespace {

void BM_CliPayment30YearsJson(benchmark::State &state)
{
    const char *argv[] = {ACCRUA_CLI_PATH, "payment", "--principal", "100000", "--rate", "7",
                          "--years",       "30",      "--months",    "0",      "--json", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char **>(argv), environ) != 0) {
            state.SkipWithError("cannot start accrua-cli");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("accrua-cli failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CliPayment30YearsJson)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
