// tarvik, Halvorn's DVD title tool.
//   tarvik SOURCE                  prints the title listing
//   tarvik SOURCE TITLE OUTPUT     copies one title into OUTPUT, printing its percentage
// SOURCE is a drive device, a DVD-Video image file or a folder holding VIDEO_TS. Failures are said
// on standard error and end with a non-zero exit code.

#include "tarviktext.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Standard output as the program found it; the process's own standard output is pointed at
// standard error, because libdvdread prints some of its notes there.
FILE* report = nullptr;

// Thrown with the reason the tool gives up; main says it and exits 1 once every handle of
// libdvdread has been closed on the way out.
struct Failure {
    std::string reason;
};

[[noreturn]] void fail(const std::string& message)
{
    throw Failure{message};
}

void say(const std::string& text)
{
    std::fputs(text.c_str(), report);
    std::fflush(report);
}

// The first of the paths a disc is read from that may not be read by this user; empty when there is
// none. A folder the user may not read is no damaged disc, and is not to be reported as one.
std::string forbidden(const std::string& source)
{
    struct stat info{};
    if (::stat(source.c_str(), &info) != 0)
        return {};
    std::vector<std::string> paths{source};
    if (S_ISDIR(info.st_mode)) {
        for (const char* inside : {"/VIDEO_TS", "/VIDEO_TS/VIDEO_TS.IFO", "/VIDEO_TS.IFO"})
            paths.push_back(source + inside);
    }
    for (const std::string& path : paths) {
        const bool folder = ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (::access(path.c_str(), folder ? R_OK | X_OK : R_OK) != 0 && errno == EACCES)
            return path;
    }
    return {};
}

struct Title {
    int titleSet = 0;
    long long lengthMs = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> cells; // first and last sector, in playing order
};

class Disc final {
public:
    explicit Disc(const char* source)
        : source(source)
        , reader(DVDOpen(source))
    {
        if (!reader)
            fail(unreadable(" cannot be opened as a DVD-Video disc, image or VIDEO_TS folder"));
        manager = ifoOpen(reader, 0);
        if (!manager || !manager->tt_srpt) {
            close();
            fail(unreadable(" holds no readable DVD-Video title information (VIDEO_TS.IFO)"));
        }
    }
    ~Disc() { close(); }
    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;

    [[nodiscard]] int titleCount() const { return manager->tt_srpt->title ? manager->tt_srpt->nr_of_srpts : 0; }

    // A title plays the program chains its chapters name, in chapter order; each chain plays its
    // cells in its own order, which need not be the order of the sectors, and titles may share
    // cells. Of an angle block only the first angle is taken. libdvdread leaves a table it could
    // not read as a null pointer, also one that a count says is there: each is checked before use.
    [[nodiscard]] Title title(int number)
    {
        const title_info_t& info = manager->tt_srpt->title[number - 1];
        Title title;
        title.titleSet = info.title_set_nr;
        const ifo_handle_t* set = titleSet(info.title_set_nr);
        const std::string damaged = "the title set of title " + std::to_string(number) + " is damaged";
        if (!set->vts_ptt_srpt || !set->vts_ptt_srpt->title || !set->vts_pgcit || !set->vts_pgcit->pgci_srp
            || info.vts_ttn < 1 || info.vts_ttn > set->vts_ptt_srpt->nr_of_srpts)
            fail(damaged);
        const ttu_t& chapters = set->vts_ptt_srpt->title[info.vts_ttn - 1];
        if (chapters.nr_of_ptts > 0 && !chapters.ptt)
            fail(damaged);
        std::vector<int> chains;
        for (int i = 0; i < chapters.nr_of_ptts; ++i) {
            const int chain = chapters.ptt[i].pgcn;
            if (std::find(chains.begin(), chains.end(), chain) == chains.end())
                chains.push_back(chain);
        }
        for (const int chain : chains) {
            if (chain < 1 || chain > set->vts_pgcit->nr_of_pgci_srp)
                fail("title " + std::to_string(number) + " names a program chain its title set lacks");
            const pgc_t* pgc = set->vts_pgcit->pgci_srp[chain - 1].pgc;
            if (!pgc || (pgc->nr_of_cells > 0 && !pgc->cell_playback))
                fail(damaged);
            const dvd_time_t& time = pgc->playback_time;
            title.lengthMs += TarvikText::playbackMs(time.hour, time.minute, time.second, time.frame_u);
            for (int c = 0; c < pgc->nr_of_cells; ++c) {
                const cell_playback_t& cell = pgc->cell_playback[c];
                if (cell.block_type == BLOCK_TYPE_ANGLE_BLOCK && cell.block_mode != BLOCK_MODE_FIRST_CELL)
                    continue;
                title.cells.emplace_back(cell.first_sector, cell.last_sector);
            }
        }
        return title;
    }

    [[nodiscard]] dvd_reader_t* handle() const { return reader; }

private:
    // Why the disc cannot be read: no permission, or else what the library could not make of it.
    [[nodiscard]] std::string unreadable(const std::string& otherwise) const
    {
        const std::string path = forbidden(source);
        return path.empty() ? source + otherwise : "you have no permission to read " + path;
    }

    const ifo_handle_t* titleSet(int number)
    {
        ifo_handle_t*& ifo = titleSets[number];
        if (!ifo)
            ifo = ifoOpen(reader, number);
        if (!ifo)
            fail("the title information of title set " + std::to_string(number) + " cannot be read");
        return ifo;
    }

    void close()
    {
        for (const auto& [number, ifo] : titleSets)
            if (ifo)
                ifoClose(ifo);
        if (manager)
            ifoClose(manager);
        DVDClose(reader);
    }

    std::string source;
    dvd_reader_t* reader = nullptr;
    ifo_handle_t* manager = nullptr;
    std::map<int, ifo_handle_t*> titleSets;
};

void listTitles(Disc& disc)
{
    std::vector<long long> lengths;
    for (int number = 1; number <= disc.titleCount(); ++number)
        lengths.push_back(disc.title(number).lengthMs);
    say(TarvikText::titleListing(lengths));
}

// False, with errno set, when the file cannot take the bytes.
bool writeAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

void ripTitle(Disc& disc, const std::string& titleText, const char* output)
{
    char* end = nullptr;
    const long number = std::strtol(titleText.c_str(), &end, 10);
    if (titleText.empty() || *end != '\0' || number < 1 || number > disc.titleCount())
        fail("there is no title " + titleText + " on this disc; it has " + std::to_string(disc.titleCount())
             + " titles");
    const Title title = disc.title(int(number));
    long long total = 0;
    for (const auto& [first, last] : title.cells)
        total += last >= first ? last - first + 1 : 0;
    if (total == 0)
        fail("title " + titleText + " holds no video");

    const std::unique_ptr<dvd_file_t, void (*)(dvd_file_t*)> vobs(
        DVDOpenFile(disc.handle(), title.titleSet, DVD_READ_TITLE_VOBS), DVDCloseFile);
    if (!vobs)
        fail("the video of title " + titleText + " cannot be opened");
    // O_EXCL: an existing file is never overwritten, not even one that appears while we look.
    const int fd = ::open(output, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(errno == EEXIST ? std::string(output) + " exists already; it is not overwritten"
                             : std::string(output) + ": " + std::strerror(errno));
    }

    // Half a title is no title: nothing is left behind that could pass for a rip.
    const auto abandon = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(output);
        fail(reason);
    };
    constexpr std::uint64_t blocksPerRead = 512;
    std::vector<unsigned char> buffer(blocksPerRead * DVD_VIDEO_LB_LEN);
    long long copied = 0;
    int shown = 0;
    say(TarvikText::progressStep(0, true));
    for (const auto& [first, last] : title.cells) {
        for (std::uint64_t sector = first; sector <= last;) {
            const std::uint64_t count = std::min<std::uint64_t>(blocksPerRead, last - sector + 1);
            if (DVDReadBlocks(vobs.get(), int(sector), count, buffer.data()) != ssize_t(count)) {
                abandon("sectors " + std::to_string(sector) + " to " + std::to_string(sector + count - 1)
                        + " of title " + titleText
                        + " cannot be read: the disc is damaged, or encrypted (CSS), which cannot be read here");
            }
            for (std::uint64_t block = 0; block < count; ++block) {
                if (TarvikText::isScrambled(&buffer[block * DVD_VIDEO_LB_LEN]))
                    abandon("title " + titleText + " is encrypted (CSS); encrypted discs cannot be read here");
            }
            if (!writeAll(fd, buffer.data(), count * DVD_VIDEO_LB_LEN))
                abandon(std::string(output) + ": " + std::strerror(errno));
            sector += count;
            copied += count;
            const int percent = int(copied * 100 / total);
            if (percent != shown) {
                shown = percent;
                say(TarvikText::progressStep(percent, false));
            }
        }
    }
    if (::close(fd) != 0)
        abandon(std::string(output) + ": " + std::strerror(errno));
    say("\n");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: tarvik SOURCE            list the titles\n"
                             "       tarvik SOURCE TITLE FILE copy one title into a new FILE\n"
                             "SOURCE: a DVD drive, a DVD-Video image or a folder holding VIDEO_TS\n");
        return 2;
    }
    const int own = ::dup(STDOUT_FILENO);
    if (own < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0 || !(report = ::fdopen(own, "w"))) {
        std::perror("tarvik");
        return 1;
    }
    // Unbuffered like standard error, so that our reason for failing stays the last line there.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        Disc disc(argv[1]);
        if (argc == 2)
            listTitles(disc);
        else
            ripTitle(disc, argv[2], argv[3]);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "tarvik: %s\n", failure.reason.c_str());
        return 1;
    }
    if (std::fclose(report) != 0) {
        std::fprintf(stderr, "tarvik: standard output cannot be written\n");
        return 1;
    }
    return 0;
}
