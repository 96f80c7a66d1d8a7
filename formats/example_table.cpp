#include "formats/example_table.h"

#include <stdexcept>
#include <vector>

namespace zenphal {

const std::array<ExampleRow, kExampleCount>& ExampleTable() {
  static const std::array<ExampleRow, kExampleCount> table = {{
      {"Toy Example 1", "AAAGCAGGCCAGGCAACCGCUGCCUGCACCGCAAGGUGCAGGGGGAGGAAAGUCCGCUGCACCGCAAG", "1 60 4 10 23 5"},
      {"Toy Example 2", "CGAGCCGGGCGGGCGGCCGCGUGGGGGUCUUCGGACCUCCCCGAGGAACGUCCGGGCUCUGGGGGUCU", "0 65 5 21 33 3"},
      {"5SRNA+",
       "TTTGGTGGCGAUAGCGAAGAGGTCACACCCGTTCCCATACCGAACACGGAAGTTAAGCTCTTCAGCGCCGATGGTAGTCGGGGGTTTCCCCCTGTGAGAGTAGGACGCC"
       "GCCAAGC",
       "0 114 10 13 65 2 15 62 6 26 52 2 28 48 4 67 103 11 79 91 5"},
      {"5SRNA-",
       "GCTTGGCGGCGTCCTACTCTCACAGGGGGAAACCCCCGACTACCATCGGCGCTGAAGAGCTTAACTTCCGTGTTCGGTATGGGAACGGGTGTGACCTCTTCGCTATCGCC"
       "ACCAAA",
       "1 115 10 12 48 11 24 36 5 50 102 2 53 100 6 63 89 2 67 87 4"},
      {"yeast tRNA", "GCGGAUUUAGCUCAGUUGGGAGAGCGCCAGACUGAAAAUCUGGAGGUCCUGUGUUCGAUCCACAGAAUUCGCACCA",
       "0 71 7 9 24 4 26 42 5 48 64 5"},
      {"Leu gene tRNA", "CUUAGAGUGGCAGAGCCCGGACAUUGCAAAAGGCCUAAGCCCUUUCUACAGAGGUUCAAGUCCUCUCUCUAACU",
       "0 72 7 9 26 4 29 44 5 49 65 5"},
  }};
  return table;
}

const std::array<std::string_view, kExampleCount + 1>& ExampleListEntries() {
  static const std::array<std::string_view, kExampleCount + 1> entries = {
      "Example", "Toy Example 1", "Toy Example 2", "5SRNA+", "5SRNA-", "yeast tRNA", "Leu gene tRNA"};
  return entries;
}

std::string ExampleDisplayText(int row) {
  if (row < 1 || row > kExampleCount) throw std::out_of_range("example row " + std::to_string(row));
  const ExampleRow& r = ExampleTable()[row - 1];
  std::string text;
  text.append(r.name).append(":\r\n");
  text.append(" ").append(r.bases).append("\r\n");
  text.append(">\r\n>\r\n");
  std::vector<std::string_view> numbers;
  for (size_t i = 0; i < r.stems.size();) {
    const size_t space = r.stems.find(' ', i);
    const size_t end = space == std::string_view::npos ? r.stems.size() : space;
    numbers.push_back(r.stems.substr(i, end - i));
    i = end + 1;
  }
  for (size_t k = 0; k + 2 < numbers.size(); k += 3) {
    text.append(" (").append(std::to_string(k / 3 + 1)).append(")");
    for (size_t t = 0; t < 3; ++t) text.append("  ").append(numbers[k + t]);
    text.append("\r\n");
  }
  text.append(">\r\n");
  return text;
}

}  // namespace zenphal
