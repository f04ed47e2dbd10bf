#include "litter/report.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "genetics/parser.h"
#include "litter/cross.h"
#include "litter/phenotype_groups.h"
#include "phenotype/carriers.h"
#include "phenotype/description.h"
#include "text/genotype_error.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// Collects ASCII text and hands it to the output in large pieces: a big
// litter has millions of member lines, and one call per line would cost more
// than formatting them.
class AsciiBuffer {
 public:
  explicit AsciiBuffer(Output& out) : out_(out), bytes_(kCapacity, '\0') {}
  AsciiBuffer(const AsciiBuffer&) = delete;
  AsciiBuffer& operator=(const AsciiBuffer&) = delete;
  ~AsciiBuffer() = default;

  void append(const char* text, std::size_t size) {
    if (size > kCapacity - used_) {
      flush();
      if (size > kCapacity) {
        out_.writeAscii(std::string_view(text, size));
        return;
      }
    }
    std::memcpy(bytes_.data() + used_, text, size);
    used_ += size;
  }
  void append(std::string_view text) { append(text.data(), text.size()); }

  // Passes on everything collected so far. Must run before anything else is
  // written to the output, to keep the order.
  void flush() {
    if (used_ == 0) {
      return;
    }
    out_.writeAscii(std::string_view(bytes_.data(), used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kCapacity = std::size_t{1} << 16;

  Output& out_;
  std::string bytes_;
  std::size_t used_ = 0;
};

// Writes the member lines of one combination of a grouped litter: every
// genotype made of one option per gene from the chosen classes.
class MemberWriter {
 public:
  MemberWriter(const GroupedLitter& litter, AsciiBuffer& buffer)
      : litter_(litter), buffer_(buffer) {
    // A member's chance is a product of halves and quarters, 2^-h with h at
    // most 28, so the start of its line is one of 29 texts.
    for (int h = 0; h <= kChanceBits; ++h) {
      std::string& start = lineStart_[static_cast<std::size_t>(h)];
      start = "\t\t\t";
      appendChanceText(kChanceOne >> h, start);
      start += " \t";
    }
    std::size_t longest = 0;
    for (const auto& classes : litter.classes) {
      std::size_t gene_longest = 0;
      for (const GeneClass& cls : classes) {
        for (const GeneOption& option : cls.options) {
          gene_longest = std::max(gene_longest, option.token.size());
        }
      }
      longest += gene_longest;
    }
    text_.resize(longest);
  }

  void write(std::uint32_t combination) {
    const std::array<int, GeneCount> chosen = classesOf(litter_, combination);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      options_[g] = &litter_.classes[g][static_cast<std::size_t>(chosen[g])].options;
    }
    walk(0, 0, 0);
  }

 private:
  void walk(GeneIndex g, int halvings, std::size_t length) {
    if (g == GeneCount) {
      buffer_.append(lineStart_[static_cast<std::size_t>(halvings)]);
      if (length == 0) {
        buffer_.append(litter_.wildText);
      } else {
        buffer_.append(text_.data(), length);
      }
      buffer_.append("\n", 1);
      return;
    }
    for (const GeneOption& option : *options_[g]) {
      std::memcpy(text_.data() + length, option.token.data(), option.token.size());
      walk(g + 1, halvings + option.halvings, length + option.token.size());
    }
  }

  const GroupedLitter& litter_;
  AsciiBuffer& buffer_;
  std::array<std::string, kChanceBits + 1> lineStart_;
  std::array<const std::vector<GeneOption>*, GeneCount> options_{};
  std::string text_;  // the genotype text being built, gene by gene
};

void appendAsciiAsCodePoints(std::string_view ascii, std::u32string& out) {
  for (char c : ascii) {
    out += static_cast<char32_t>(static_cast<unsigned char>(c));
  }
}

// "Male: SH Golden, carries genes of ..." and a line end.
void writeParentLine(MessageId label, Genotype& parent, Output& out) {
  std::u32string line(messageText(label));
  line += describePhenotype(parent, false, false);
  // The carrier line reads the unnamed-colour marker the description left.
  const std::u32string carried = describeCarriedGenes(parent);
  if (!carried.empty()) {
    line += U", ";
    line += carried;
  }
  line += U'\n';
  out.write(line);
}

void writeMatingWarnings(const Genotype& male, const Genotype& female, Output& out) {
  std::vector<MessageId> warnings;
  if (matingWarnings(male, female, warnings)) {
    return;
  }
  for (MessageId warning : warnings) {
    std::u32string line = U"!!! ";
    line += messageText(MessageId::UndesirableForMating);
    line += messageText(warning);
    line += U" !!!\n";
    out.write(line);
  }
}

}  // namespace

void writeLitter(const Genotype& male, const Genotype& female, Output& out) {
  std::u32string line(messageText(MessageId::LitterLabel));
  line += U'\n';
  out.write(line);

  const GroupedLitter litter = groupLitter(male, female);
  AsciiBuffer buffer(out);
  MemberWriter members(litter, buffer);
  std::string chance;
  for (const PhenotypeGroup& group : litter.groups) {
    chance.clear();
    appendChanceText(group.chance, chance);
    line.assign(1, U'\t');
    appendAsciiAsCodePoints(chance, line);
    line += U" \t";
    line += group.description;
    line += U'\n';
    buffer.flush();
    out.write(line);
    for (std::uint32_t combination : group.combinations) {
      members.write(combination);
    }
  }
  buffer.flush();
}

void predictLitter(std::u32string_view male_text, std::u32string_view female_text, Output& out) {
  Genotype male;
  Genotype female;
  try {
    male = parseGenotype(male_text, Sex::Male);
    writeParentLine(MessageId::MaleLabel, male, out);
    female = parseGenotype(female_text, Sex::Female);
    writeParentLine(MessageId::FemaleLabel, female, out);
  } catch (const GenotypeError& error) {
    std::u32string line = genotypeErrorText(error);
    line += U'\n';
    out.write(line);
    return;
  }
  // Both parents have just been described, so their expressed flags are
  // derived, as the mating checks need.
  writeMatingWarnings(male, female, out);
  writeLitter(male, female, out);
}

}  // namespace quorvale
