#include "model/CellFlags.h"
#include "model/CardFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>

#include "model/CellGrid.h"

namespace pw {

void WriteCard(std::ostream& out, const CellGrid& grid) {
    const int W = grid.gridWidth;
    const int H = grid.gridHeight;
    out << "kiriko\n" << "v 1.0\n" << "\n";
    out << "w " << (W - 2) << "\n" << "h " << (H - 2) << "\n" << "\n";
    for (int x = 1; x <= W - 2; ++x) {
        int cur = grid.HeightAt(x, 1);
        out << cur << ' ';
        int run = 1;
        for (int y = 2; y <= H - 2; ++y) {
            const int d = grid.HeightAt(x, y);
            if (d != cur) {
                out << run << ' ' << d << ' ';
                run = 0;
            }
            cur = d;
            ++run;
        }
        out << run << " e\n";
    }
    out << "\n";
    for (int x = 1; x <= W - 2; ++x) {
        bool seen = false;
        for (int z = H - 2; z >= 1; --z) {
            if (grid.IsSolid(x, 1, z))
                seen = true;
            else if (seen)
                out << (x - 1) << ' ' << (z - 1) << "\n";
        }
    }
}

namespace {

// Whole-token conversions: a token that is not entirely a number fails.
bool ToInt(const std::string& token, long long& value) {
    if (token.empty() || token.size() > 18) return false;
    std::size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i == token.size()) return false;
    for (std::size_t k = i; k < token.size(); ++k)
        if (token[k] < '0' || token[k] > '9') return false;
    value = std::strtoll(token.c_str(), nullptr, 10);
    return true;
}

bool ToFraction(const std::string& token, double& value) {
    if (token.empty() || token.size() > kMaxCardWordChars) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return end && *end == '\0' && errno == 0 && std::isfinite(value);
}

// The file's words, read a character at a time so that neither a word
// without end nor a file without end (/dev/zero) can take more memory than
// a short word: a word is held to kMaxCardWordChars and one more character,
// and reading stops past kMaxCardFileBytes. A read that fails (a folder, a
// disk error) ends the words too, and is no shorter card.
class Reader {
public:
    explicit Reader(std::istream& in) : in_(in.rdbuf()) {}

    bool Next(std::string& token) {
        token.clear();
        int c = Get();
        while (c != kEnd && IsSpace(c)) c = Get();
        while (c != kEnd && !IsSpace(c)) {
            if (token.size() <= kMaxCardWordChars) token.push_back(static_cast<char>(c));
            c = Get();
        }
        return !token.empty() && stopped_ == CardReadError::None;
    }

    // Why the words stopped early, or None when the text ended.
    CardReadError Stopped() const { return stopped_; }
    // Why a word is missing: the text ended, or the reading stopped.
    CardReadError Missing() const { return stopped_ != CardReadError::None ? stopped_ : CardReadError::Truncated; }

private:
    static constexpr int kEnd = std::char_traits<char>::eof();

    static bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    int Get() {
        if (!in_ || stopped_ != CardReadError::None) return kEnd;
        if (++read_ > kMaxCardFileBytes) {
            stopped_ = CardReadError::TooLarge;
            return kEnd;
        }
        try {
            return in_->sbumpc();
        } catch (const std::exception&) {  // the file buffer's read error
            stopped_ = CardReadError::CannotOpen;
            return kEnd;
        }
    }

    std::streambuf* in_;
    long long read_ = 0;
    CardReadError stopped_ = CardReadError::None;
};

bool Fail(CardReadError* error, CardReadError why) {
    if (error) *error = why;
    return false;
}

}  // namespace

bool ParseCard(std::istream& in, CellGrid& out, CardReadError* error, int* columnsHeld) {
    if (error) *error = CardReadError::None;
    Reader reader(in);
    std::string token;

    long long w = 0;
    long long h = 1;
    bool haveWidth = false;
    while (reader.Next(token)) {
        if (token == "v") {
            double version = 0;
            if (!reader.Next(token)) return Fail(error, reader.Missing());
            if (!ToFraction(token, version)) return Fail(error, CardReadError::BadNumber);
            if (version > 1.0) return Fail(error, CardReadError::VersionTooNew);
        } else if (token == "w") {
            if (!reader.Next(token)) return Fail(error, reader.Missing());
            if (!ToInt(token, w)) return Fail(error, CardReadError::BadNumber);
            haveWidth = true;
        } else if (token == "h") {
            if (!reader.Next(token)) return Fail(error, reader.Missing());
            if (!ToInt(token, h)) return Fail(error, CardReadError::BadNumber);
            break;
        }
    }
    if (reader.Stopped() != CardReadError::None) return Fail(error, reader.Stopped());
    if (!haveWidth || w < 1 || h < 1 || w > kMaxCardCells || h > 4096)
        return Fail(error, CardReadError::BadSize);
    const long long W = w + 2;
    const long long H = h + 2;
    if (W * H * H > kMaxCardCells) return Fail(error, CardReadError::BadSize);

    out.NewCard(static_cast<int>(W), static_cast<int>(H));

    bool ended = false;
    long long held = 0;
    for (long long c = 0; c < w && !ended; ++c) {
        const int x = static_cast<int>(c + 1);
        long long p = 0;
        while (true) {
            if (!reader.Next(token)) {
                ended = true;
                break;
            }
            held = c + 1;
            if (token == "e") break;
            long long k = 0, n = 0;
            if (!ToInt(token, k)) return Fail(error, CardReadError::BadNumber);
            if (!reader.Next(token)) return Fail(error, reader.Missing());
            if (!ToInt(token, n)) return Fail(error, CardReadError::BadNumber);
            if (k < 0 || k > h || n < 0 || p + n > h) return Fail(error, CardReadError::OutOfCard);
            // The relief only steps down from the back sheet toward the front.
            if (n > 0 && p > 0 && k > out.HeightAt(x, static_cast<int>(p))) return Fail(error, CardReadError::OutOfCard);
            for (long long y = p + 1; y <= p + n; ++y)
                for (long long z = 1; z <= k; ++z)
                    out.ChangeCellFlag(x, static_cast<int>(y), static_cast<int>(z), CELL_SOLID, true);
            p += n;
        }
    }

    while (reader.Next(token)) {
        long long c = 0, z = 0;
        if (!ToInt(token, c)) return Fail(error, CardReadError::BadNumber);
        if (!reader.Next(token)) return Fail(error, reader.Missing());
        if (!ToInt(token, z)) return Fail(error, CardReadError::BadNumber);
        if (c < 0 || c >= w || z < 0 || z + 1 > h) return Fail(error, CardReadError::OutOfCard);
        for (long long y = 1; y <= h; ++y)
            out.ChangeCellFlag(static_cast<int>(c + 1), static_cast<int>(y), static_cast<int>(z + 1), CELL_SOLID, false);
    }
    if (reader.Stopped() != CardReadError::None) return Fail(error, reader.Stopped());
    if (columnsHeld) *columnsHeld = static_cast<int>(held);
    out.gridChanged = true;
    out.cursorResetPending = true;
    return true;
}

bool ReadCard(const std::string& path, CellGrid& out, CardReadError* error, int* columnsHeld) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > kMaxCardFileBytes)
        return Fail(error, CardReadError::TooLarge);
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, CardReadError::CannotOpen);
    CellGrid fresh;
    if (!ParseCard(in, fresh, error, columnsHeld)) return false;
    out = std::move(fresh);
    return true;
}

}  // namespace pw
