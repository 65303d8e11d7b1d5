// Children side by side: their lines whole, their statuses, input, the jobs limit and Stop.
#include "cli/child_processes.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

ChildRun Sh(const std::string& script, const std::string& input = "") {
    return ChildRun{"/bin/sh", {"-c", script}, input};
}

struct Outcome {
    std::vector<int> statuses;
    // Each child's lines of output and error, each ended by '|'.
    std::vector<std::string> out, err;
    // Every line as "index:line ", in the order handed on.
    std::string order;
};

Outcome Collect(CChildProcesses& children, const std::vector<ChildRun>& runs, unsigned jobs,
                const std::function<void(const std::string&)>& seen = nullptr) {
    Outcome outcome{
        {}, std::vector<std::string>(runs.size()), std::vector<std::string>(runs.size()), ""};
    outcome.statuses =
        children.Run(runs, jobs, [&](size_t i, ChildStream s, const std::string& line) {
            (s == ChildStream::kOut ? outcome.out : outcome.err)[i] += line + "|";
            outcome.order += std::to_string(i) + ":" + line + " ";
            if (seen)
                seen(line);
        });
    return outcome;
}

TEST(ChildProcesses, HandOnWholeLinesOfEachStreamAndTheStatuses) {
    const size_t piece = CChildProcesses::kLinePiece;
    const std::string big(1000000, 'k');
    const struct {
        std::vector<ChildRun> runs;
        std::vector<std::string> out, err;
        std::vector<int> statuses;
    } cases[] = {
        // Partial lines written slowly, side by side; NUL bytes and a last line without its end.
        {{Sh(R"(printf ab; sleep 0.1; printf 'c\r\nd'; sleep 0.1; printf 'e\n'; printf t >&2; exit 3)"),
          Sh(R"(printf 1 >&2; sleep 0.1; printf '2\n\n' >&2; printf 'z\0y\n')")},
         {"abc|de|", "z\0y|"s},
         {"t|", "12||"},
         {3, 0}},
        // Over-long lines in pieces, cut alike however the bytes come; input taken whole, all
        // of it or none; a signal's end; a process group of its own.
        {{Sh(R"(head -c 65536 /dev/zero | tr '\0' a; printf '\r'; sleep 0.1; printf '\n')"),
          Sh(R"(head -c 65537 /dev/zero | tr '\0' a; sleep 0.1; printf 'x\n')"), Sh("wc -c", big),
          Sh("exit 4", big), Sh("cat", "key\nrest"), Sh("kill -TERM $$"),
          Sh(R"(read -r pid comm state ppid group rest </proc/$$/stat; [ $group = $$ ] && echo alone)")},
         {std::string(piece, 'a') + "|", std::string(piece, 'a') + "|ax|", "1000000|", "",
          "key|rest|", "", "alone|"},
         {"", "", "", "", "", "", ""},
         {0, 0, 0, 4, 0, 1, 0}},
        {{{"/no/such/program", {}, ""}, Sh("echo after")},
         {"", "after|"},
         {"cannot start /no/such/program: No such file or directory|", ""},
         {-1, 0}},
    };
    for (const auto& c : cases) {
        CChildProcesses children;
        const Outcome outcome = Collect(children, c.runs, static_cast<unsigned>(c.runs.size()));
        EXPECT_EQ(outcome.statuses, c.statuses) << outcome.order;
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, c.err);
    }
    // Every child waited for: none left, not even as a zombie.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(ChildProcesses, StartInTurnWithinJobsAndStopWithOneInterrupt) {
    CChildProcesses inTurn;
    const ChildRun turn = Sh("echo start; sleep 0.1; echo end");
    EXPECT_EQ(Collect(inTurn, {turn, turn, turn}, 1).order,
              "0:start 0:end 1:start 1:end 2:start 2:end ");

    // Ten seconds without Ctrl-C end the loop, to fail rather than hang.
    CChildProcesses stopped;
    const Outcome outcome = Collect(stopped,
                                    {Sh("trap 'echo stopped; exit 7' INT; echo started; i=0; "
                                        "while [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done"),
                                     Sh("echo never")},
                                    1, [&](const std::string& line) {
                                        if (line == "started") {
                                            stopped.Stop();
                                            stopped.Stop();
                                        }
                                    });
    EXPECT_EQ(outcome.order, "0:started 0:stopped ");
    EXPECT_EQ(outcome.statuses, (std::vector<int>{7, -1}));
    EXPECT_EQ(Collect(stopped, {turn}, 1).statuses, std::vector<int>{-1});
}

}  // namespace
