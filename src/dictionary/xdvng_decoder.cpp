#include <array>
#include <string>
#include <string_view>

#include "dictionary/decoders.h"

namespace kv {

namespace {

// What a glyph code of the Xdvng font stands for when it is read back into letters.
enum class CodeKind : unsigned char {
  kUnknown,           // no glyph of the font: read as U+FFFD
  kIndependentVowel,  // a vowel of its own (its two-byte forms are matched separately)
  kFullConsonant,     // a consonant (or conjunct) that ends its cluster
  kHalfConsonant,     // a consonant that opens or continues a cluster; 3A after it completes it
  kStem,              // 3A: completes a half form, or the sign of A where nothing is open
  kISign,             // 65: the sign of i, drawn before the cluster it follows in speech
  kVowelSign,         // any other vowel sign: belongs to the syllable before it
  kMark,              // anusvara and visarga: marks on the syllable before them
  kVirama,            // CE
  kReph,              // FC: r + virama at the front of the cluster just read
  kSubscriptR,        // D2, D3: r joining the cluster just read
  kRu,                // 2C, 2D: the consonant r with the sign of u or U in one glyph
  kClose,             // A0: closes a list string and reads as nothing
};

struct SCode {
  unsigned char byte;
  CodeKind kind;
  const char* text;  // UTF-8: the letters (without a virama for half forms) or the sign
};

#define KV_VIRAMA "\u094D"
#define KV_RA "\u0930"

// Every code the list strings use; any byte not listed is kUnknown. A half form's text is the
// consonant alone (the reader adds the virama); conjunct glyphs read as their consonants
// joined by viramas.
constexpr SCode kCodes[] = {
    // Independent vowels (the two-byte forms 41 3A, 41 3C, 41 3E, 4F F0 are matched first).
    {0x41, CodeKind::kIndependentVowel, "\u0905"},  // a
    {0x45, CodeKind::kIndependentVowel, "\u0907"},  // i
    {0x49, CodeKind::kIndependentVowel, "\u0908"},  // I
    {0x75, CodeKind::kIndependentVowel, "\u0909"},  // u
    {0x55, CodeKind::kIndependentVowel, "\u090A"},  // U
    {0x3F, CodeKind::kIndependentVowel, "\u090B"},  // R
    {0x40, CodeKind::kIndependentVowel, "\u0960"},  // RR
    {0x3B, CodeKind::kIndependentVowel, "\u090C"},  // lR
    {0x3D, CodeKind::kIndependentVowel, "\u0961"},  // lRR
    {0x4F, CodeKind::kIndependentVowel, "\u090F"},  // e
    // Vowel signs.
    {0x61, CodeKind::kVowelSign, "\u093E"},  // A
    {0x65, CodeKind::kISign, "\u093F"},      // i
    {0x69, CodeKind::kVowelSign, "\u0940"},  // I
    {0xD9, CodeKind::kVowelSign, "\u0941"},  // u
    {0xDD, CodeKind::kVowelSign, "\u0942"},  // U
    {0xE1, CodeKind::kVowelSign, "\u0943"},  // R
    {0xE5, CodeKind::kVowelSign, "\u0944"},  // RR
    {0xE9, CodeKind::kVowelSign, "\u0962"},  // lR
    {0xED, CodeKind::kVowelSign, "\u0963"},  // lRR
    {0xF0, CodeKind::kVowelSign, "\u0947"},  // e
    {0xF2, CodeKind::kVowelSign, "\u0948"},  // ai
    {0x3C, CodeKind::kVowelSign, "\u094B"},  // o
    {0x3E, CodeKind::kVowelSign, "\u094C"},  // au
    {0x48, CodeKind::kMark, "\u0903"},       // H
    {0xF6, CodeKind::kMark, "\u0902"},       // M
    // Consonants with a half form of their own; the full form is the half form and 3A.
    {0x56, CodeKind::kHalfConsonant, "\u0915"},                     // k (its full form is 6B)
    {0x4B, CodeKind::kHalfConsonant, "\u0916"},                     // kh
    {0x67, CodeKind::kHalfConsonant, "\u0917"},                     // g
    {0x47, CodeKind::kHalfConsonant, "\u0918"},                     // gh
    {0x63, CodeKind::kHalfConsonant, "\u091A"},                     // c
    {0x6A, CodeKind::kHalfConsonant, "\u091C"},                     // j
    {0x4A, CodeKind::kHalfConsonant, "\u091D"},                     // jh
    {0x57, CodeKind::kHalfConsonant, "\u091E"},                     // J
    {0x4E, CodeKind::kHalfConsonant, "\u0923"},                     // N
    {0x74, CodeKind::kHalfConsonant, "\u0924"},                     // t
    {0x54, CodeKind::kHalfConsonant, "\u0925"},                     // th
    {0x44, CodeKind::kHalfConsonant, "\u0927"},                     // dh
    {0x6E, CodeKind::kHalfConsonant, "\u0928"},                     // n
    {0x70, CodeKind::kHalfConsonant, "\u092A"},                     // p
    {0x5B, CodeKind::kHalfConsonant, "\u092B"},                     // ph (its full form is 50)
    {0x62, CodeKind::kHalfConsonant, "\u092C"},                     // b
    {0x42, CodeKind::kHalfConsonant, "\u092D"},                     // bh
    {0x6D, CodeKind::kHalfConsonant, "\u092E"},                     // m
    {0x79, CodeKind::kHalfConsonant, "\u092F"},                     // y
    {0x6C, CodeKind::kHalfConsonant, "\u0932"},                     // l
    {0x76, CodeKind::kHalfConsonant, "\u0935"},                     // v
    {0x53, CodeKind::kHalfConsonant, "\u0936"},                     // z
    {0x5C, CodeKind::kHalfConsonant, "\u0937"},                     // S
    {0x73, CodeKind::kHalfConsonant, "\u0938"},                     // s
    {0x78, CodeKind::kHalfConsonant, "\u0915" KV_VIRAMA "\u0937"},  // kS
    {0x2A, CodeKind::kHalfConsonant, "\u0924" KV_VIRAMA KV_RA},     // tr
    {0xB6, CodeKind::kHalfConsonant, "\u0924" KV_VIRAMA "\u0924"},  // tt
    {0xBF, CodeKind::kHalfConsonant, "\u0927" KV_VIRAMA "\u0928"},  // dhn
    {0xC1, CodeKind::kHalfConsonant, "\u0936" KV_VIRAMA "\u091A"},  // zc
    {0xC2, CodeKind::kHalfConsonant, "\u0936" KV_VIRAMA KV_RA},     // zr
    {0xC3, CodeKind::kHalfConsonant, "\u0936" KV_VIRAMA "\u0935"},  // zv
    // Full forms of one byte: k and ph, and every glyph whose half form is the same glyph.
    {0x6B, CodeKind::kFullConsonant, "\u0915"},                     // k
    {0x50, CodeKind::kFullConsonant, "\u092B"},                     // ph
    {0x7B, CodeKind::kFullConsonant, "\u0919"},                     // G
    {0x43, CodeKind::kFullConsonant, "\u091B"},                     // ch
    {0x58, CodeKind::kFullConsonant, "\u091F"},                     // T
    {0x59, CodeKind::kFullConsonant, "\u0920"},                     // Th
    {0x52, CodeKind::kFullConsonant, "\u0921"},                     // D
    {0x5A, CodeKind::kFullConsonant, "\u0922"},                     // Dh
    {0x64, CodeKind::kFullConsonant, "\u0926"},                     // d
    {0x72, CodeKind::kFullConsonant, KV_RA},                        // r
    {0x68, CodeKind::kFullConsonant, "\u0939"},                     // h
    {0x23, CodeKind::kFullConsonant, "\u0915" KV_VIRAMA KV_RA},     // kr
    {0x77, CodeKind::kFullConsonant, "\u091C" KV_VIRAMA "\u091E"},  // jJ
    {0xA2, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0915"},  // Gk
    {0xA3, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0916"},  // Gkh
    {0xA4, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0917"},  // Gg
    {0xA5, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0918"},  // Ggh
    {0xA6, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0919"},  // GG
    {0xA7, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u0928"},  // Gn
    {0xA8, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u092E"},  // Gm
    {0xA9, CodeKind::kFullConsonant, "\u0919" KV_VIRAMA "\u092F"},  // Gy
    {0xAA, CodeKind::kFullConsonant, "\u091B" KV_VIRAMA "\u092F"},  // chy
    {0xAB, CodeKind::kFullConsonant, "\u091F" KV_VIRAMA "\u0915"},  // Tk
    {0xAC, CodeKind::kFullConsonant, "\u091F" KV_VIRAMA "\u091F"},  // TT
    {0xAD, CodeKind::kFullConsonant, "\u091F" KV_VIRAMA "\u0920"},  // TTh
    {0xAE, CodeKind::kFullConsonant, "\u091F" KV_VIRAMA "\u092F"},  // Ty
    {0xAF, CodeKind::kFullConsonant, "\u0920" KV_VIRAMA "\u092F"},  // Thy
    {0xB0, CodeKind::kFullConsonant, "\u0921" KV_VIRAMA "\u0917"},  // Dg
    {0xB1, CodeKind::kFullConsonant, "\u0921" KV_VIRAMA "\u0918"},  // Dgh
    {0xB2, CodeKind::kFullConsonant, "\u0921" KV_VIRAMA "\u0921"},  // DD
    {0xB3, CodeKind::kFullConsonant, "\u0921" KV_VIRAMA "\u092E"},  // Dm
    {0xB4, CodeKind::kFullConsonant, "\u0921" KV_VIRAMA "\u092F"},  // Dy
    {0xB5, CodeKind::kFullConsonant, "\u0922" KV_VIRAMA "\u092F"},  // Dhy
    {0xB7, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u0917"},  // dg
    {0xB8, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u0926"},  // dd
    {0xB9, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u0927"},  // ddh
    {0xBA, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u092C"},  // db
    {0xBB, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u092D"},  // dbh
    {0xBC, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u092E"},  // dm
    {0xBD, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u092F"},  // dy
    {0xBE, CodeKind::kFullConsonant, "\u0926" KV_VIRAMA "\u0935"},  // dv
    {0xC0, CodeKind::kFullConsonant, "\u0928" KV_VIRAMA "\u0928"},  // nn
    {0xC4, CodeKind::kFullConsonant, "\u0937" KV_VIRAMA "\u091F"},  // ST
    {0xC5, CodeKind::kFullConsonant, "\u0937" KV_VIRAMA "\u0920"},  // STh
    {0xC6, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u092F"},  // hy
    {0xC7, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u0923"},  // hN
    {0xC8, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u0928"},  // hn
    {0xC9, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u092E"},  // hm
    {0xCB, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA KV_RA},     // hr
    {0xCC, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u0932"},  // hl
    {0xCD, CodeKind::kFullConsonant, "\u0939" KV_VIRAMA "\u0935"},  // hv
    {0x29, CodeKind::kFullConsonant, "\u092A" KV_VIRAMA KV_RA},     // pr
    {0x27, CodeKind::kFullConsonant, "\u092B" KV_VIRAMA KV_RA},     // phr
    // The other special codes.
    {0x3A, CodeKind::kStem, "\u093E"},
    {0xCE, CodeKind::kVirama, KV_VIRAMA},
    {0xFC, CodeKind::kReph, KV_RA KV_VIRAMA},
    {0xD2, CodeKind::kSubscriptR, KV_RA},
    {0xD3, CodeKind::kSubscriptR, KV_RA},
    {0x2C, CodeKind::kRu, "\u0941"},
    {0x2D, CodeKind::kRu, "\u0942"},
    {0xA0, CodeKind::kClose, ""},
};

// The vowels written as an independent letter followed by a sign glyph.
struct STwoByteVowel {
  unsigned char first;
  unsigned char second;
  const char* text;
};

constexpr STwoByteVowel kTwoByteVowels[] = {
    {0x41, 0x3A, "\u0906"},  // A
    {0x41, 0x3C, "\u0913"},  // o
    {0x41, 0x3E, "\u0914"},  // au
    {0x4F, 0xF0, "\u0910"},  // ai
};

constexpr std::string_view kVirama = KV_VIRAMA;
constexpr std::string_view kISign = "\u093F";
constexpr std::string_view kReplacement = "\uFFFD";

#undef KV_VIRAMA
#undef KV_RA

constexpr int kByteValues = 256;

constexpr std::array<SCode, kByteValues> MakeCodeTable() {
  std::array<SCode, kByteValues> table{};
  for (int byte = 0; byte < kByteValues; ++byte) {
    table[static_cast<size_t>(byte)] = {static_cast<unsigned char>(byte), CodeKind::kUnknown, ""};
  }
  for (const SCode& code : kCodes) {
    table[code.byte] = code;
  }
  return table;
}

constexpr std::array<SCode, kByteValues> kCodeTable = MakeCodeTable();

// Groups the glyph codes into syllables. A syllable is an optional reph, a stem (the consonant
// cluster, or an independent vowel) and a tail of signs and marks; it is written out when the
// next syllable begins, because a subscript r, a 3A or a reph may still change its cluster.
class CXdvngReader {
 public:
  std::string Read(std::string_view codes) {
    for (size_t place = 0; place < codes.size(); ++place) {
      const auto byte = static_cast<unsigned char>(codes[place]);
      if (place + 1 < codes.size()) {
        const auto next = static_cast<unsigned char>(codes[place + 1]);
        if (const char* vowel = TwoByteVowel(byte, next)) {
          StartVowel(vowel);
          ++place;
          continue;
        }
      }
      ReadCode(kCodeTable[byte]);
    }
    Flush();
    // An i-sign with no cluster after it stays where the font draws it: at the end.
    for (size_t sign = 0; sign < m_pendingISigns; ++sign) {
      m_out += kISign;
    }
    return std::move(m_out);
  }

 private:
  static const char* TwoByteVowel(unsigned char first, unsigned char second) {
    for (const STwoByteVowel& vowel : kTwoByteVowels) {
      if (vowel.first == first && vowel.second == second) {
        return vowel.text;
      }
    }
    return nullptr;
  }

  void ReadCode(const SCode& code) {
    switch (code.kind) {
      case CodeKind::kUnknown:
        Flush();
        m_out += kReplacement;
        break;
      case CodeKind::kIndependentVowel:
        StartVowel(code.text);
        break;
      case CodeKind::kFullConsonant:
        AddConsonant(code.text, false);
        break;
      case CodeKind::kHalfConsonant:
        AddConsonant(code.text, true);
        break;
      case CodeKind::kStem:
        if (m_consonantStem && m_clusterOpen) {
          CloseCluster();
        } else {
          AddSign(code.text);
        }
        break;
      case CodeKind::kISign:
        ++m_pendingISigns;
        break;
      case CodeKind::kVowelSign:
      case CodeKind::kMark:
        AddSign(code.text);
        break;
      case CodeKind::kVirama:
        // Only a bare closed consonant takes a virama; after a sign or the anusvara of a
        // word-final M there is no consonant for it to silence.
        if (m_consonantStem && !m_clusterOpen && m_tail.empty() && m_iSigns == 0) {
          m_tail += code.text;
        }
        break;
      case CodeKind::kReph:
        if (m_consonantStem) {
          m_reph += code.text;
        } else {
          Flush();
          m_out += code.text;
        }
        break;
      case CodeKind::kSubscriptR:
        AddSubscriptR();
        break;
      case CodeKind::kRu:
        AddConsonant("\u0930", false);
        AddSign(code.text);
        break;
      case CodeKind::kClose:
        break;
    }
  }

  // A consonant continues a cluster left open by half forms; otherwise it opens a new
  // syllable, which takes the i-signs read before it.
  void AddConsonant(const char* letters, bool half) {
    if (!(m_consonantStem && m_clusterOpen && m_tail.empty())) {
      Flush();
      m_consonantStem = true;
      m_iSigns = m_pendingISigns;
      m_pendingISigns = 0;
    }
    m_stem += letters;
    if (half) {
      m_stem += kVirama;
    }
    m_clusterOpen = half;
  }

  void CloseCluster() {
    if (m_stem.ends_with(kVirama)) {
      m_stem.resize(m_stem.size() - kVirama.size());
    }
    m_clusterOpen = false;
  }

  // The subscript r joins the cluster just read; where there is none (after a sign, or after
  // the anusvara that an M before r becomes) it is an r of its own.
  void AddSubscriptR() {
    if (m_consonantStem && m_tail.empty()) {
      if (!m_clusterOpen) {
        m_stem += kVirama;
      }
      m_stem += "\u0930";
      m_clusterOpen = false;
    } else {
      AddConsonant("\u0930", false);
    }
  }

  void StartVowel(const char* text) {
    Flush();
    m_stem = text;
  }

  void AddSign(const char* text) {
    if (m_stem.empty()) {
      Flush();
      m_out += text;
    } else {
      m_tail += text;
    }
  }

  void Flush() {
    m_out += m_reph;
    m_out += m_stem;
    for (size_t sign = 0; sign < m_iSigns; ++sign) {
      m_out += kISign;
    }
    m_out += m_tail;
    m_reph.clear();
    m_stem.clear();
    m_tail.clear();
    m_iSigns = 0;
    m_consonantStem = false;
    m_clusterOpen = false;
  }

  std::string m_out;
  std::string m_reph;
  std::string m_stem;
  std::string m_tail;
  size_t m_iSigns = 0;
  size_t m_pendingISigns = 0;
  bool m_consonantStem = false;
  bool m_clusterOpen = false;
};

}  // namespace

std::string DecodeXdvng(std::string_view codes) {
  CXdvngReader reader;
  return reader.Read(codes);
}

}  // namespace kv
