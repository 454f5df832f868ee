#include "pdf_text.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "document_limits.h"

namespace tessaly::documents {

namespace {

// The program's full path: as given when it names a folder, otherwise the first executable
// file of that name on the PATH.
std::optional<std::string> FindProgram(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        if (::access(program.c_str(), X_OK) == 0) return program;
        return std::nullopt;
    }
    const char* path = std::getenv("PATH");
    std::string folders = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

class PdfText final : public DocumentText {
  public:
    PdfText(const std::string& path, const std::string& name, const std::string& program)
        : path_(name) {
        const std::optional<std::string> found = FindProgram(program);
        if (!found) {
            throw DocumentError(path_,
                                "reading PDF files needs pdftotext, from the package "
                                "poppler-utils; install it to read this file");
        }
        // A path that starts with "-" would be read as an option.
        const std::string argument = path.starts_with("-") ? "./" + path : path;
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) throw DocumentError(path_, std::strerror(errno));
        std::vector<const char*> argv = {found->c_str(),   "-enc", "UTF-8", "-q",
                                         argument.c_str(), "-",    nullptr};
        pid_ = ::fork();
        if (pid_ == 0) {
            // The child: only calls that are safe between fork and exec.
            ::dup2(out[1], STDOUT_FILENO);
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) ::dup2(null, STDIN_FILENO), ::dup2(null, STDERR_FILENO);
            const rlimit memory{kPdfMemory, kPdfMemory};
            ::setrlimit(RLIMIT_AS, &memory);
            const rlimit seconds{rlim_t(kPdfSeconds.count()), rlim_t(kPdfSeconds.count())};
            ::setrlimit(RLIMIT_CPU, &seconds);
            ::execv(argv[0], const_cast<char* const*>(argv.data()));
            ::_exit(127);
        }
        ::close(out[1]);
        if (pid_ < 0) {
            ::close(out[0]);
            throw DocumentError(path_, std::strerror(errno));
        }
        pipe_ = out[0];
        deadline_ = std::chrono::steady_clock::now() + kPdfSeconds;
    }

    ~PdfText() override {
        if (pipe_ >= 0) ::close(pipe_);
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool read(std::string& out) override {
        const std::size_t start = out.size();
        if (page_ == 0 && keepsPlaces()) markPlace(start, "page " + std::to_string(++page_));
        while (out.size() - start < kPieceSize) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline_ - std::chrono::steady_clock::now());
            pollfd wait{pipe_, POLLIN, 0};
            const int ready = left.count() > 0 ? ::poll(&wait, 1, int(left.count())) : 0;
            if (ready < 0 && errno == EINTR) continue;
            if (ready == 0) {
                throw DocumentError(path_, "pdftotext took more than " +
                                               std::to_string(kPdfSeconds.count()) +
                                               " seconds and was stopped");
            }
            char buffer[16384];
            const ssize_t n = ::read(pipe_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw DocumentError(path_, std::strerror(errno));
            if (n == 0) {
                finish();
                return false;
            }
            out.append(buffer, std::size_t(n));
            if (keepsPlaces()) markPages(out, out.size() - std::size_t(n));
        }
        return true;
    }

  private:
    // pdftotext ends each page with a form feed: the next page begins after it.
    void markPages(const std::string& out, std::size_t from) {
        for (std::size_t at = out.find('\f', from); at != std::string::npos;
             at = out.find('\f', at + 1))
            markPlace(at + 1, "page " + std::to_string(++page_));
    }

    void finish() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        if (WIFEXITED(status)) {
            switch (WEXITSTATUS(status)) {
                case 0:
                    return;
                case 127:
                    throw DocumentError(path_, "pdftotext could not be started");
                case 1:
                    throw DocumentError(path_,
                                        "pdftotext could not open the PDF (damaged, or "
                                        "encrypted with a password)");
                case 3:
                    throw DocumentError(path_, "the PDF does not permit copying its text");
                default:
                    throw DocumentError(path_, "pdftotext failed with status " +
                                                   std::to_string(WEXITSTATUS(status)));
            }
        }
        throw DocumentError(path_, "pdftotext was stopped by signal " +
                                       std::to_string(WTERMSIG(status)) +
                                       " (it may have reached its memory or time limit)");
    }

    std::string path_;
    pid_t pid_ = -1;
    int pipe_ = -1;
    std::chrono::steady_clock::time_point deadline_;
    unsigned long page_ = 0;  // pages begun so far
};

}  // namespace

std::unique_ptr<DocumentText> OpenPdfText(const std::string& path, const std::string& name,
                                          const std::string& program) {
    return std::make_unique<PdfText>(path, name, program);
}

}  // namespace tessaly::documents
