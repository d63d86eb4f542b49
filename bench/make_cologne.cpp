// kv_make_cologne: writes a synthetic lexicon in the record layout of the Cologne
// digitisation, the size of Monier-Williams (300,000 records by default), for the import
// benchmark. Its records are made up, in the proportions of a real lexicon:
//  - headwords in Sanskrit alphabetical order, crowded first syllables ("sa", "pa", "vi");
//  - header lines "<L>n<pc>page,column<k1>...<k2>...[<h>n]<e>level" with accents and compound
//    marks in <k2>, homonyms (<h>1, <h>2), continuation records (<e>1A, 1B, ...) and compounds
//    (<e>3) after their first member;
//  - bodies in three markup families: SLP1 in <s> with grammar labels, abbreviations,
//    sources, names in IAST (<s1>), sense divisions, bookkeeping tags, Greek and the root sign;
//    SLP1 in {#...#} with italic glosses and sense numbers; IAST in bold and italic spans over
//    several lines;
//  - mostly short bodies, a long tail, a few of tens of kilobytes; page marks and blank lines
//    between records.
//
//   kv_make_cologne --out FILE [--records N] [--seed S]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/transliteration.h"
#include "synthetic_words.h"

namespace kv::bench {
namespace {

constexpr long kDefaultRecords = 300000;
constexpr std::string_view kLabels[] = {"m.", "f.", "n.", "mfn.", "ind.", "cl. 1", "P.", "A."};
constexpr std::string_view kAbbreviations[] = {"cf.", "esp.", "e.g.", "accord. to", "lit."};
constexpr std::string_view kGreek[] = {"λόγος", "ἀγρός", "θεός", "ὀδούς", "πατήρ", "ζυγόν"};
constexpr std::string_view kNames[] = {"Agni", "Indra", "Viṣṇu", "Śiva", "Kṛṣṇa", "Sūrya"};
constexpr std::string_view kBookkeeping[] = {"<info lex=\"m\"/>", "<pb n=\"12\"/>", "<srs/>",
                                             "<info n=\"sup\"/>"};

std::string Slp1(std::string_view internal) {
  std::string out;
  AppendSlp1(internal, out);
  return out;
}

std::string Iast(std::string_view internal) {
  std::string out;
  AppendIast(internal, out);
  return out;
}

// <k2> as printed: an udātta after the first vowel (SLP1 vowels are lower-case or A I U F X E O).
std::string Accented(std::string_view slp1) {
  std::string out(slp1);
  const std::size_t vowel = out.find_first_of("aAiIuUfFxXeEoO");
  if (vowel != std::string::npos) out.insert(vowel + 1, "/");
  return out;
}

class CLexiconWriter {
 public:
  CLexiconWriter(CRandom& random, std::vector<std::string> words, std::ofstream& out)
      : m_random(random), m_words(std::move(words)), m_out(out) {}

  long Records() const { return m_record; }

  // One word with its homonyms, continuations and compounds.
  void Word(std::size_t index, long limit) {
    const std::string& word = m_words[index];
    const int homonyms = m_random() % 10 == 0 ? Uniform(m_random, 2, 3) : 1;
    for (int h = 1; h <= homonyms && m_record < limit; ++h) {
      const int family = Uniform(m_random, 0, 99);
      Record(word, Slp1(word), Accented(Slp1(word)), homonyms > 1 ? h : 0, "1", family);
      const int continuations = m_random() % 7 == 0 ? Uniform(m_random, 1, 4) : 0;
      for (int c = 0; c < continuations && m_record < limit; ++c) {
        Record(word, Slp1(word), Accented(Slp1(word)), homonyms > 1 ? h : 0,
               std::string("1") + static_cast<char>('A' + c), family);
      }
    }
    const int compounds = m_random() % 5 == 0 ? Uniform(m_random, 1, 3) : 0;
    for (int c = 0; c < compounds && m_record < limit; ++c) {
      const std::string& second = m_words[m_random() % m_words.size()];
      const std::string dash = m_random() % 2 == 0 ? "—" : "-";
      Record(word + second, Slp1(word + second), Accented(Slp1(word)) + dash + Slp1(second), 0, "3",
             Uniform(m_random, 0, 99));
    }
  }

 private:
  std::size_t BodySize() {
    const int draw = Uniform(m_random, 0, 9999);
    if (draw < 8500) return static_cast<std::size_t>(Uniform(m_random, 30, 160));
    if (draw < 9850) return static_cast<std::size_t>(Uniform(m_random, 160, 600));
    if (draw < 9990) return static_cast<std::size_t>(Uniform(m_random, 600, 3000));
    return static_cast<std::size_t>(Uniform(m_random, 8000, 30000));
  }
  std::string_view AnyWord() { return m_words[m_random() % m_words.size()]; }

  void Record(const std::string& word, const std::string& k1, const std::string& k2, int homonym,
              const std::string& level, int family) {
    ++m_record;
    if (m_record % 40 == 0) {
      m_out << "[Page" << m_record / 40 << "-" << static_cast<char>('a' + m_record % 3)
            << "+ 38]\n\n";
    }
    m_out << "<L>" << m_record << "<pc>" << m_record / 40 << "," << 1 + m_record % 3 << "<k1>" << k1
          << "<k2>" << k2;
    if (homonym > 0) m_out << "<h>" << homonym;
    m_out << "<e>" << level << "\n";
    m_body.clear();
    const std::size_t size = BodySize();
    if (family < 70) {
      AngleBody(word, k2, homonym, size);
    } else if (family < 85) {
      BraceBody(word, size);
    } else {
      IastBody(word, size);
    }
    m_out << m_body << "\n<LEND>\n";
  }

  // Sanskrit in <s>, in one long line.
  void AngleBody(const std::string& word, const std::string& k2, int homonym, std::size_t size) {
    if (homonym > 0) m_body += "<hom>" + std::to_string(homonym) + ".</hom> ";
    m_body += "<s>" + k2 + "</s> ¦ <lex>" + std::string(PickUniform(m_random, kLabels)) + "</lex>";
    while (m_body.size() < size) {
      const int draw = Uniform(m_random, 0, 99);
      m_body += ' ';
      if (draw < 12) {
        m_body += "<s>" + Slp1(AnyWord()) + "</s>";
      } else if (draw < 15) {
        m_body += "<ab>" + std::string(PickUniform(m_random, kAbbreviations)) + "</ab>";
      } else if (draw < 18) {
        m_body += "<ls>" + std::string(PickUniform(m_random, kSources)) + " " +
                  std::to_string(Uniform(m_random, 1, 10)) + ", " +
                  std::to_string(Uniform(m_random, 1, 99)) + "</ls>;";
      } else if (draw < 20) {
        m_body += "<s1>" + std::string(PickUniform(m_random, kNames)) + "</s1>";
      } else if (draw < 22) {
        m_body += "<div n=\"to\"/>";
      } else if (draw < 24) {
        m_body += PickUniform(m_random, kBookkeeping);
      } else if (draw < 25) {
        m_body += "(<lang n=\"greek\">" + std::string(PickUniform(m_random, kGreek)) + "</lang>)";
      } else if (draw < 26) {
        m_body += "√<s>" + Slp1(word.substr(0, 2)) + "</s>";
      } else {
        m_body += PickUniform(m_random, kEnglish);
        if (draw % 7 == 0) m_body += ',';
      }
    }
  }

  // Sanskrit in {#...#}, glosses in italics, numbered senses.
  void BraceBody(const std::string& word, std::size_t size) {
    m_body += "{#" + Slp1(word) + "#}¦ <sup>1</sup>";
    int sense = 1;
    while (m_body.size() < size) {
      const int draw = Uniform(m_random, 0, 99);
      m_body += ' ';
      if (draw < 12) {
        m_body += "{#" + Slp1(AnyWord()) + "#}";
      } else if (draw < 18) {
        m_body += "{%" + std::string(PickUniform(m_random, kEnglish)) + "%}";
      } else if (draw < 20) {
        m_body += "<div n=\"P\"><sup>" + std::to_string(++sense) + "</sup>";
      } else {
        m_body += PickUniform(m_random, kEnglish);
        if (draw % 9 == 0) m_body += ';';
      }
    }
  }

  // IAST in bold and italics, over lines of about eighty bytes.
  void IastBody(const std::string& word, std::size_t size) {
    m_body += "{@" + Iast(word) + ",@} {%" + std::string(PickUniform(m_random, kLabels)) + "%}";
    std::size_t lineStart = 0;
    while (m_body.size() < size) {
      const int draw = Uniform(m_random, 0, 99);
      m_body += m_body.size() - lineStart > 80 ? '\n' : ' ';
      if (m_body.back() == '\n') lineStart = m_body.size();
      if (draw < 14) {
        m_body += "{%" + Iast(AnyWord()) + "%}";
      } else {
        m_body += PickUniform(m_random, kEnglish);
        if (draw % 8 == 0) m_body += ',';
      }
    }
  }

  CRandom& m_random;
  std::vector<std::string> m_words;
  std::ofstream& m_out;
  std::string m_body;
  long m_record = 0;
};

int Usage() {
  std::fprintf(stderr, "usage: kv_make_cologne --out FILE [--records N] [--seed S]\n");
  return 2;
}

int Run(int argc, char** argv) {
  std::string path;
  long records = kDefaultRecords;
  unsigned long seed = 20240602;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view arg = argv[i];
    if (arg == "--out") {
      path = argv[i + 1];
    } else if (arg == "--records") {
      records = std::strtol(argv[i + 1], nullptr, 10);
    } else if (arg == "--seed") {
      seed = std::strtoul(argv[i + 1], nullptr, 10);
    } else {
      return Usage();
    }
  }
  if (path.empty() || records < 1 || argc % 2 == 0) return Usage();

  CRandom random(seed);
  // About one word for every two records: the others are homonyms, continuations, compounds.
  std::vector<std::pair<std::string, std::string>> keyed;
  for (long i = 0; i < records / 2; ++i) {
    std::string word = MakeWord(random, static_cast<int>(random() % 100) < kCrowdedShare);
    keyed.emplace_back(CollationKey(word), std::move(word));
  }
  std::sort(keyed.begin(), keyed.end());
  keyed.erase(std::unique(keyed.begin(), keyed.end()), keyed.end());
  std::vector<std::string> words;
  for (auto& [key, word] : keyed) words.push_back(std::move(word));

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "A synthetic Sanskrit-English lexicon in the layout of the Cologne digitisation, made\n"
         "by kv_make_cologne (seed "
      << seed << ") for Kavivani's import benchmark.\n\n";
  CLexiconWriter writer(random, words, out);
  for (std::size_t i = 0; writer.Records() < records; i = (i + 1) % words.size()) {
    writer.Word(i, records);
  }
  out.close();
  std::printf("kv_make_cologne: %ld records written to %s\n", writer.Records(), path.c_str());
  return out ? 0 : 1;
}

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) { return kv::bench::Run(argc, argv); }
