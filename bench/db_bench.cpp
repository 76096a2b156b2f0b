// Reading 100,000 rows of 10 columns through the record-set exports (columns by number, then
// by name), against the same rows read with plain ODBC calls (SQLFetch and SQLGetData); and
// changing one field of a row of a 10,000-row table through a setter and RSUpdate, against a
// plain parameterised UPDATE prepared once. Prints the ratios at the end.
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "zqplatform/oleauto.h"
#include "zqvantor/data.h"

namespace {

constexpr int kRows = 100000;
const std::string kFile = (std::filesystem::temp_directory_path() / "zq-db-bench.sqlite").string();
const std::string kConnect = "DRIVER={SQLite3};Database=" + kFile + ";";
const std::string kSelect = "SELECT id, a, b, c, d, e, f, g, h, i FROM rows ORDER BY id";
const std::string kNames[] = {"id", "A", "b", "C", "d", "E", "f", "G", "h", "I"};  // case-blind
double libraryNs[2] = {0, 0}, plainNs = 0;
constexpr int kUpdateRows = 10000;
double libraryUpdateNs = 0, plainUpdateNs = 0;  // per update, best run
int64_t librarySums[2] = {0, 0};  // both ways must read the same values

int32_t Length(int32_t column) { return static_cast<int32_t>(kNames[column].size()); }

void Exec(int32_t db, const std::string& sql) { DBSQL(db, static_cast<int32_t>(sql.size()), sql.c_str()); }

void BuildDatabase() {
  std::filesystem::remove(kFile);
  const int32_t db = DBCreate();
  DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(kConnect.size()), kConnect.c_str(), 0);
  Exec(db,
       "CREATE TABLE rows (id INTEGER PRIMARY KEY, a INTEGER, b DOUBLE, c VARCHAR(20), d INTEGER, e DOUBLE, "
       "f VARCHAR(20), g INTEGER, h DOUBLE, i VARCHAR(20))");
  Exec(db,
       "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) "
       "INSERT INTO rows SELECT x, x * 3, x / 7.0, 'text ' || x, x % 1000, x * 1.5, 'more ' || x, -x, x / 3.0, "
       "'last ' || x FROM n");
  Exec(db, "CREATE TABLE items (id INTEGER PRIMARY KEY, a INTEGER, b DOUBLE, c VARCHAR(20), d VARCHAR(20))");
  Exec(db, "INSERT INTO items SELECT id, a, b, c, f FROM rows WHERE id <= " + std::to_string(kUpdateRows));
  DBDestroy(db);
}

// Both connections keep their journal in memory and write without waiting for the disk, so
// that the writes' own work shows rather than the file system's.
const std::string kPragmas[] = {"PRAGMA journal_mode = MEMORY", "PRAGMA synchronous = OFF"};

double Best(double best, std::chrono::steady_clock::time_point start, int64_t updates) {
  const double ns =
      std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / updates;
  return best == 0 ? ns : std::min(best, ns);
}

// One field of one row after the other: a setter and RSUpdate on a record set over the table.
void UpdateThroughTheLibrary(benchmark::State& state) {
  const int32_t db = DBCreate();
  DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(kConnect.size()), kConnect.c_str(), 0);
  for (const std::string& pragma : kPragmas) Exec(db, pragma);
  const int32_t rs = RSAttach(db);
  const std::string sql = "SELECT * FROM items ORDER BY id";
  RSOpen(db, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0);
  static int32_t value = 0;  // every write changes the field, in every run
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
      if (RSIsEOF(db, rs)) RSMoveFirst(db, rs);
      RSSetLongC(db, rs, 1, ++value);
      if (RSUpdate(db, rs) != 0) {
        state.SkipWithError("RSUpdate failed");
        break;
      }
      RSMoveNext(db, rs);
    }
    libraryUpdateNs = Best(libraryUpdateNs, start, 1000);
  }
  state.counters["updates"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
  DBDestroy(db);
}

void PlainUpdate(benchmark::State& state) {
  SQLHENV env;
  SQLHDBC dbc;
  SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
  SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kConnect.c_str())), SQL_NTS, nullptr,
                   0, nullptr, SQL_DRIVER_NOPROMPT);
  for (const std::string& pragma : kPragmas) {
    SQLHSTMT h;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h);
    SQLExecDirect(h, reinterpret_cast<SQLCHAR*>(const_cast<char*>(pragma.c_str())), SQL_NTS);
    SQLFreeHandle(SQL_HANDLE_STMT, h);
  }
  SQLHSTMT stmt;
  SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>("UPDATE items SET a = ? WHERE id = ?")), SQL_NTS);
  SQLINTEGER value = 0, id = 0;
  SQLLEN indicator = 0;
  SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &value, 0, &indicator);
  SQLBindParameter(stmt, 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &id, 0, &indicator);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
      id = id % kUpdateRows + 1;
      ++value;
      if (!SQL_SUCCEEDED(SQLExecute(stmt))) {
        state.SkipWithError("UPDATE failed");
        break;
      }
    }
    plainUpdateNs = Best(plainUpdateNs, start, 1000);
  }
  state.counters["updates"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  SQLDisconnect(dbc);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
}

// state.range(0): 0 reads the columns by number, 1 by name.
void ThroughTheLibrary(benchmark::State& state) {
  const bool byName = state.range(0) != 0;
  auto asLong = [&](int32_t db, int32_t rs, int32_t* err, int32_t c) {
    return byName ? RSGetLongF(db, rs, err, Length(c), kNames[c].c_str()) : RSGetLongC(db, rs, err, c);
  };
  auto asDouble = [&](int32_t db, int32_t rs, int32_t* err, int32_t c) {
    return byName ? RSGetDoubleF(db, rs, err, Length(c), kNames[c].c_str()) : RSGetDoubleC(db, rs, err, c);
  };
  auto asString = [&](int32_t db, int32_t rs, int32_t* err, int32_t c) {
    return byName ? RSGetStringF(db, rs, err, Length(c), kNames[c].c_str()) : RSGetStringC(db, rs, err, c);
  };
  const int32_t db = DBCreate();
  DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(kConnect.size()), kConnect.c_str(), 0);
  const int32_t rs = RSAttach(db);
  int64_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    RSOpen(db, rs, static_cast<int32_t>(kSelect.size()), kSelect.c_str(), 2, 0);
    int32_t err = 0;
    int64_t sum = 0;
    while (RSIsEOF(db, rs) == 0) {
      for (int32_t c : {0, 1, 4, 7}) sum += asLong(db, rs, &err, c);
      for (int32_t c : {2, 5, 8}) sum += static_cast<int64_t>(asDouble(db, rs, &err, c));
      for (int32_t c : {3, 6, 9}) {
        BSTR text = asString(db, rs, &err, c);
        sum += SysStringLen(text);
        SysFreeString(text);
      }
      RSMoveNext(db, rs);
      ++rows;
    }
    benchmark::DoNotOptimize(sum);
    librarySums[byName ? 1 : 0] = sum;
    const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    double& best = libraryNs[byName ? 1 : 0];
    best = best == 0 ? ns : std::min(best, ns);
  }
  state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  DBDestroy(db);
}

void PlainOdbc(benchmark::State& state) {
  SQLHENV env;
  SQLHDBC dbc;
  SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
  SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kConnect.c_str())), SQL_NTS, nullptr,
                   0, nullptr, SQL_DRIVER_NOPROMPT);
  int64_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    SQLHSTMT stmt;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
    SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kSelect.c_str())), SQL_NTS);
    int64_t sum = 0;
    while (SQL_SUCCEEDED(SQLFetch(stmt))) {
      SQLLEN indicator = 0;
      for (SQLUSMALLINT c = 1; c <= 10; ++c) {
        if (c == 4 || c == 7 || c == 10) {
          char buffer[64];
          SQLGetData(stmt, c, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
          const std::string text(buffer, indicator > 0 ? static_cast<std::size_t>(indicator) : 0);
          sum += static_cast<int64_t>(text.size());
        } else if (c == 3 || c == 6 || c == 9) {
          double value = 0;
          SQLGetData(stmt, c, SQL_C_DOUBLE, &value, 0, &indicator);
          sum += static_cast<int64_t>(value);
        } else {
          SQLINTEGER value = 0;
          SQLGetData(stmt, c, SQL_C_SLONG, &value, 0, &indicator);
          sum += value;
        }
      }
      ++rows;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    benchmark::DoNotOptimize(sum);
    const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    plainNs = plainNs == 0 ? ns : std::min(plainNs, ns);
  }
  state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
  SQLDisconnect(dbc);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
}

BENCHMARK(PlainOdbc)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ThroughTheLibrary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PlainUpdate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(UpdateThroughTheLibrary)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  BuildDatabase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (plainNs > 0) {
    std::printf("record-set exports / plain SQLFetch+SQLGetData (best of each, 100000 rows x 10 columns)\n");
    std::printf("  columns by number: %.2fx\n", libraryNs[0] / plainNs);
    std::printf("  columns by name:   %.2fx\n", libraryNs[1] / plainNs);
    if (librarySums[0] != librarySums[1]) std::printf("  (the reads by name gave other values than by number)\n");
  }
  if (plainUpdateNs > 0) {
    std::printf("setter + RSUpdate / plain prepared UPDATE (one field of a row of %d, best of each)\n", kUpdateRows);
    std::printf("  %.1f us against %.1f us: %.2fx\n", libraryUpdateNs / 1000, plainUpdateNs / 1000,
                libraryUpdateNs / plainUpdateNs);
  }
  std::filesystem::remove(kFile);
  return 0;
}
