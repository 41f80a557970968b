// Writes a deterministic CSV of employees for the varnolix-assess benchmark.
//
//   make_rows ROWS [SEED] > rows.csv
//
// Varied realistic amounts in every column; some names with commas and quotes; some
// amounts grouped in the Indian way ("1,00,000"), with a currency prefix or with paise;
// about one row in a thousand refused (a bad amount, a zero basic or a missing field).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// SplitMix64: the same numbers on every machine and standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high].
  long long Between(long long low, long long high) {
    return low + static_cast<long long>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool Chance(int perThousand) { return Between(0, 999) < perThousand; }

 private:
  std::uint64_t state_;
};

const char* const kFirst[] = {"Asha", "Ravi", "Meera", "Arjun", "Priya", "Kiran", "Sunil", "Lakshmi",
                              "Farhan", "Deepa", "Vikram", "Anita", "Joseph", "Neha", "Rahul", "Fatima"};
const char* const kLast[] = {"Rao", "Iyer", "Sharma", "Nair", "Gupta", "Menon", "Das", "Khan",
                             "Pillai", "Reddy", "Singh", "D'Souza", "Bose", "Patel", "Joshi", "Kulkarni"};
const char* const kDepartments[] = {"Accounts", "Sales", "Engineering", "Stores", "Legal", "Support"};

void AppendIndianGrouped(std::string& out, long long value) {
  const std::string digits = std::to_string(value);
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    const size_t left = n - i;  // digits still to write, this one included
    if (i > 0 && (left == 3 || (left > 3 && (left - 3) % 2 == 0))) out += ',';
    out += digits[i];
  }
}

// A monetary amount in one of the ways a clerk writes it.
void AppendAmount(std::string& out, Random& random, long long low, long long high) {
  const long long rupees = random.Between(low, high);
  const long long style = random.Between(0, 99);
  if (style < 4 && rupees >= 1000) {
    out += '"';
    AppendIndianGrouped(out, rupees);
    out += '"';
  } else if (style < 6) {
    out += "Rs. ";
    out += std::to_string(rupees);
  } else if (style < 20) {
    out += std::to_string(rupees);
    out += '.';
    const long long paise = random.Between(0, 99);
    if (paise < 10) out += '0';
    out += std::to_string(paise);
  } else {
    out += std::to_string(rupees);
  }
}

// Often left empty, as in real sheets.
void AppendOptional(std::string& out, Random& random, int filledPerThousand, long long low, long long high) {
  if (random.Chance(filledPerThousand)) AppendAmount(out, random, low, high);
}

void AppendName(std::string& out, Random& random) {
  const char* first = kFirst[random.Between(0, 15)];
  const char* last = kLast[random.Between(0, 15)];
  const long long style = random.Between(0, 99);
  if (style < 10) {
    out += '"';
    out += last;
    out += ", ";
    out += first;
    out += '"';
  } else if (style < 12) {
    out += '"';
    out += first;
    out += " \"\"";
    out += first[0];
    out += "\"\" ";
    out += last;
    out += '"';
  } else {
    out += first;
    out += ' ';
    out += last;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_rows ROWS [SEED]\n");
    return 2;
  }
  const long long rows = std::atoll(argv[1]);
  Random random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261206);
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  std::fputs(
      "employee_id,name,basic_pm,allowances1_pm,allowances2_pm,lta_annual,rent_pm,hra_received_pm,"
      "profession_tax,80l,80d,80e,80ccc,80dd,80ddb,pf_contribution,lic_premium,ppf,mutual_fund,"
      "other_investments,infrastructure_bond,department\n",
      stdout);
  std::string row;
  for (long long i = 0; i < rows; ++i) {
    row.clear();
    row += 'E';
    row += std::to_string(100000 + i);
    row += ',';
    AppendName(row, random);
    row += ',';
    const long long fault = random.Chance(1) ? random.Between(1, 3) : 0;
    if (fault == 1) {
      row += "\"12,000.5.0\"";  // not an amount
    } else if (fault == 2) {
      row += '0';  // a basic that must have some value
    } else {
      AppendAmount(row, random, 6000, 250000);  // basic per month
    }
    row += ',';
    AppendOptional(row, random, 900, 500, 60000);
    row += ',';
    AppendOptional(row, random, 600, 200, 20000);
    row += ',';
    AppendOptional(row, random, 500, 5000, 60000);
    row += ',';
    AppendOptional(row, random, 700, 3000, 60000);  // rent
    row += ',';
    AppendOptional(row, random, 700, 2000, 50000);  // HRA
    row += ',';
    AppendOptional(row, random, 800, 1200, 2500);   // profession tax
    for (int section80 = 0; section80 < 6; ++section80) {
      row += ',';
      AppendOptional(row, random, 400, 1000, 60000);
    }
    for (int section88 = 0; section88 < 6; ++section88) {
      row += ',';
      AppendOptional(row, random, 500, 1000, 70000);
    }
    row += ',';
    row += kDepartments[random.Between(0, 5)];
    if (fault == 3) row += ",spare";  // a field too many
    row += '\n';
    std::fwrite(row.data(), 1, row.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
