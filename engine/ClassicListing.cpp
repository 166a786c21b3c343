#include "engine/ClassicListing.h"

#include "engine/ClassicRows.h"
#include "engine/ClassicTexts.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrnnec::engine {

namespace {

using namespace classictexts;
using classicrows::blanks;
using classicrows::startsWith;
using numtext::trimBlanks;

// Number of header lines nec2c writes at most between a heading and its rows.
constexpr int kMaxHeaderLines = 8;

// The heading words of a line drawn as a heading: "---------- WORDS ----------" in
// nec2c's style, "- - - WORDS - - -" in the classic style.
std::string_view headingWords(std::string_view trimmed)
{
    const auto b = trimmed.find_first_not_of("- ");
    if (b == std::string_view::npos)
        return {};
    const auto e = trimmed.find_last_not_of("- ");
    return trimmed.substr(b, e - b + 1);
}

const SectionText* knownSection(std::string_view words)
{
    for (const SectionText& s : kSections)
        if (s.name == words)
            return &s;
    return nullptr;
}

const SectionText* nec2cHeading(std::string_view line)
{
    const std::string_view t = trimBlanks(line);
    if (t.size() < 8 || !startsWith(t, "---") || t.substr(t.size() - 3) != "---")
        return nullptr;
    return knownSection(headingWords(t));
}

bool classicHeading(std::string_view line)
{
    const std::string_view t = trimBlanks(line);
    if (t.size() < 8 || !startsWith(t, "- - ") || t.substr(t.size() - 4) != " - -")
        return false;
    return knownSection(headingWords(t)) != nullptr;
}

// Where the rewritten lines go: a text, or a file written in pieces.
class Output {
public:
    explicit Output(atomicfile::AtomicFile* file = nullptr) : file_(file) { text_.reserve(file ? 2 * kChunk : 0); }

    void put(std::string_view line)
    {
        text_.append(line);
        text_.push_back('\n');
        if (file_ && text_.size() >= kChunk)
            flush();
    }
    // Hands over what is left to the file.
    void finish() { flush(); }
    std::string text() { return std::move(text_); }

private:
    static constexpr std::size_t kChunk = 1 << 16;
    void flush()
    {
        if (file_) {
            file_->write(text_);
            text_.clear();
        }
    }
    atomicfile::AtomicFile* file_;
    std::string text_;
};

// Walks through a nec2c listing line by line; a section heading hands over to the
// section's own rewrite, everything else is copied.
class Rewriter {
public:
    Rewriter(std::string_view text, Output& out) : out_(out)
    {
        lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
        std::size_t start = 0;
        while (start < text.size()) {
            auto end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    void run()
    {
        while (more()) {
            const std::string_view line = take();
            const SectionText* heading = nec2cHeading(line);
            if (heading) {
                emit(blanks(heading->indent) + std::string(heading->classic));
                rewriteSection(heading->section);
            } else if (rows_.cardEcho(line, row_, card_)) {
                emit(row_);
                noteCard();
            } else {
                emit(line);
            }
        }
    }

private:
    // ---- line stream ----
    bool more() const { return pos_ < lines_.size(); }
    std::string_view peek() const { return more() ? lines_[pos_] : std::string_view(); }
    std::string_view take() { return lines_[pos_++]; }
    void emit(std::string_view line) { out_.put(line); }
    template <std::size_t N>
    void emitAll(const std::string_view (&block)[N])
    {
        for (std::string_view line : block)
            emit(line);
    }
    // True while the next line belongs to the current table. In a run of several
    // frequencies nec2c writes the echo of the next card right below the last table's
    // last row; the echo ends the table.
    bool rowFollows() const { return more() && !peek().empty() && !nec2cHeading(peek()) && !cardEchoLine(peek()); }
    static bool cardEchoLine(std::string_view line) { return startsWith(trimBlanks(line), "DATA CARD No:"); }

    // Finds, among the next few lines, the last header line of a table (the first line
    // for which `isLast` holds) and moves past it. Nothing is consumed when there is
    // none; the lines are then kept as they are.
    template <typename Predicate>
    bool skipHeaderThrough(Predicate isLast)
    {
        for (std::size_t i = pos_; i < lines_.size() && i < pos_ + kMaxHeaderLines; ++i) {
            if (nec2cHeading(lines_[i]))
                return false;
            if (isLast(trimBlanks(lines_[i]))) {
                pos_ = i + 1;
                return true;
            }
        }
        return false;
    }
    static bool numberLine(std::string_view t) { return startsWith(t, "No:"); }

    // Rewrites the rows of a table up to its first empty line; rows that do not read
    // stay as they are.
    template <typename RowWriter>
    void rewriteRows(RowWriter write)
    {
        while (rowFollows()) {
            const std::string_view line = take();
            row_.clear();
            emit(write(line, row_) ? std::string_view(row_) : line);
        }
    }

    void rewriteSection(Section section)
    {
        switch (section) {
        case Section::Segmentation:
            if (skipHeaderThrough(numberLine)) {
                emitAll(kSegmentationHeader);
                rewriteRows([this](std::string_view l, std::string& r) {
                    long long tag = 0;
                    if (!rows_.segment(l, r, tag))
                        return false;
                    segmentTags_.push_back(tag);
                    return true;
                });
            }
            break;
        case Section::Frequency:
            if (pos_ + 1 < lines_.size()) {
                std::string wavelength;
                if (classicrows::RowConverter::frequency(lines_[pos_], lines_[pos_ + 1], row_, wavelength)) {
                    pos_ += 2;
                    emit("");
                    emit(row_);
                    emit(wavelength);
                }
            }
            break;
        case Section::Loading: loading(); break;
        case Section::Environment:
            emit("");
            while (rowFollows())
                emit(classicrows::RowConverter::environment(trimBlanks(take())));
            break;
        case Section::Excitation: excitation(); break;
        case Section::NetworkPorts:
        case Section::InputParameters:
            if (skipHeaderThrough(numberLine)) {
                emitAll(kSourceHeader);
                static const std::vector<long long> kNone;
                const std::vector<long long>& marked = section == Section::InputParameters ? slopeSources_ : kNone;
                rewriteRows([this, &marked](std::string_view l, std::string& r) { return rows_.source(l, r, marked); });
            }
            break;
        case Section::Currents:
            if (skipHeaderThrough(numberLine)) {
                emitAll(kCurrentsHeader);
                rewriteRows([this](std::string_view l, std::string& r) { return rows_.current(l, r); });
            }
            break;
        case Section::PatchData:
            if (skipHeaderThrough(numberLine)) {
                emitAll(kPatchHeader);
                rewriteRows([this](std::string_view l, std::string& r) { return rows_.patch(l, r); });
            }
            break;
        case Section::PowerBudget:
            emit("");
            while (rowFollows())
                emit(classicrows::RowConverter::powerBudget(trimBlanks(take())));
            break;
        case Section::Patterns: patterns(); break;
        case Section::NearElectric:
        case Section::NearMagnetic:
            if (skipHeaderThrough([](std::string_view t) { return startsWith(t, "METERS"); })) {
                if (section == Section::NearElectric)
                    emitAll(kNearElectricHeader);
                else
                    emitAll(kNearMagneticHeader);
                rewriteRows([this](std::string_view l, std::string& r) { return rows_.nearField(l, r); });
            }
            break;
        default:
            // Heading only: the lines below it are read by nobody.
            break;
        }
        // A table the engine ended with a card echo ends with an empty line here.
        if (more() && cardEchoLine(peek()))
            emit("");
    }

    // The EX cards tell which sources are current-slope-discontinuity sources (EX 5),
    // marked with "*" in the input table. A run of EX cards makes one set of sources; an
    // EX card after any other card starts a new set.
    void noteCard()
    {
        if (card_.name != "EX") {
            lastCardWasEx_ = false;
            return;
        }
        if (!lastCardWasEx_)
            slopeSources_.clear();
        lastCardWasEx_ = true;
        if (!card_.hasIntegers || card_.integers[0] != 5)
            return;
        const long long segment = absoluteSegment(card_.integers[1], card_.integers[2]);
        if (segment > 0)
            slopeSources_.push_back(segment);
    }

    // The segment an EX card means: the m-th segment of the tag, or segment m for tag 0.
    long long absoluteSegment(long long tag, long long m) const
    {
        if (tag == 0)
            return m;
        long long seen = 0;
        for (std::size_t i = 0; i < segmentTags_.size(); ++i)
            if (segmentTags_[i] == tag && ++seen == m)
                return static_cast<long long>(i) + 1;
        return 0;
    }

    void loading()
    {
        if (trimBlanks(peek()) == kNotLoaded) {
            take();
            emit("");
            emit(blanks(kNotLoadedIndent) + std::string(kNotLoaded));
            emit(""); // the classic engine leaves one more empty line here
            return;
        }
        if (!skipHeaderThrough([](std::string_view t) { return startsWith(t, "ITAG"); }))
            return;
        emitAll(kLoadingHeader);
        // The classic table has an empty line after every row.
        while (rowFollows()) {
            const std::string_view line = take();
            if (startsWith(trimBlanks(line), "NOTE")) {
                emit(blanks(kLoadNoteIndent) + std::string(trimBlanks(line)));
                continue;
            }
            emit(classicrows::RowConverter::load(line));
            emit("");
        }
    }

    void excitation()
    {
        const std::string_view first = trimBlanks(peek());
        if (startsWith(first, "PLANE WAVE")) {
            if (!classicrows::RowConverter::planeWave(first, row_))
                return;
            take();
            emit("");
            emit(row_);
        } else if (first == "CURRENT SOURCE" && pos_ + 3 < lines_.size()) {
            // nec2c: the name, two header lines, the values.
            if (!rows_.currentSource(lines_[pos_ + 3], row_))
                return;
            pos_ += 4;
            emitAll(kCurrentSourceHeader);
            emit(row_);
        }
    }

    void patterns()
    {
        // nec2c: empty line, [RANGE and EXP(-JKR)/R lines, empty line,] three header lines.
        std::size_t i = pos_;
        if (i < lines_.size() && lines_[i].empty())
            ++i;
        std::string range, phase;
        if (i < lines_.size() && startsWith(trimBlanks(lines_[i]), "RANGE:")) {
            if (i + 2 >= lines_.size() || !classicrows::RowConverter::range(lines_[i], lines_[i + 1], range, phase))
                return;
            i += 2;
            if (i < lines_.size() && lines_[i].empty())
                ++i;
        }
        std::string labels;
        if (i + 2 >= lines_.size() || !startsWith(trimBlanks(lines_[i + 2]), "DEGREES")
            || !rows_.patternLabels(lines_[i + 1], labels))
            return;
        const bool directive = lines_[i].find("DIRECTIVE") != std::string_view::npos;
        pos_ = i + 3;
        if (range.empty()) {
            emit("");
        } else {
            emit(range);
            emit(phase);
            emit("");
            emit("");
        }
        emit(directive ? kDirectiveGainsHeader : kPowerGainsHeader);
        emit(labels);
        emit(kPatternUnits);
        rewriteRows([this](std::string_view l, std::string& r) { return rows_.pattern(l, r); });
    }

    std::vector<std::string_view> lines_;
    std::size_t pos_ = 0;
    Output& out_;
    classicrows::RowConverter rows_;
    classicrows::CardEcho card_;
    std::string row_;
    std::vector<long long> segmentTags_;
    std::vector<long long> slopeSources_;
    bool lastCardWasEx_ = false;
};

// A listing file's text, mapped into memory (read into a buffer where it cannot be).
class ListingText {
public:
    explicit ListingText(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void* map =
                ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (map != MAP_FAILED) {
                map_ = map;
                size_ = static_cast<std::size_t>(st.st_size);
                ok_ = true;
                ::close(fd);
                return;
            }
        }
        char buffer[65536];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                ::close(fd);
                return;
            }
            buffer_.append(buffer, static_cast<std::size_t>(n));
        }
        ok_ = true;
        ::close(fd);
    }
    ~ListingText()
    {
        if (map_)
            ::munmap(map_, size_);
    }
    ListingText(const ListingText&) = delete;
    ListingText& operator=(const ListingText&) = delete;

    bool ok() const { return ok_; }
    std::string_view text() const
    {
        return map_ ? std::string_view(static_cast<const char*>(map_), size_) : std::string_view(buffer_);
    }

private:
    void* map_ = nullptr;
    std::size_t size_ = 0;
    std::string buffer_;
    bool ok_ = false;
};

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace

bool IsNec2cListing(std::string_view listing)
{
    // The first section heading decides; comment texts come only after the first one.
    std::size_t start = 0;
    while (start < listing.size()) {
        auto end = listing.find('\n', start);
        if (end == std::string_view::npos)
            end = listing.size();
        const std::string_view line = listing.substr(start, end - start);
        if (nec2cHeading(line))
            return true;
        if (classicHeading(line))
            return false;
        start = end + 1;
    }
    return false;
}

std::string RewriteToClassicListing(std::string_view listing)
{
    if (!IsNec2cListing(listing))
        return std::string(listing);
    Output out;
    Rewriter(listing, out).run();
    return out.text();
}

std::string RewriteListingFile(const std::string& inPath, const std::string& outPath)
{
    const ListingText in(inPath);
    if (!in.ok())
        return "Cannot read the listing " + inPath + ": " + std::strerror(errno);
    const std::string_view text = in.text();
    const bool nec2c = IsNec2cListing(text);
    if (!nec2c && sameFile(inPath, outPath))
        return {};

    atomicfile::AtomicFile file(outPath);
    if (!file.error().empty())
        return "Cannot write the listing " + outPath + ": " + file.error();
    if (nec2c) {
        Output out(&file);
        Rewriter(text, out).run();
        out.finish();
    } else {
        file.write(text);
    }
    const std::string reason = file.commit();
    if (!reason.empty())
        return "Cannot write the listing " + outPath + ": " + reason;
    return {};
}

} // namespace vrnnec::engine