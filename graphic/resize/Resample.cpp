#include "resize/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zq::gr {
namespace {

struct Kernel {
  double radius;
  double (*weight)(double);
};

double Triangle(double x) {
  x = std::fabs(x);
  return x < 1 ? 1 - x : 0;
}
double Box(double x) { return x >= -0.5 && x < 0.5 ? 1 : 0; }
double CatmullRom(double x) {
  x = std::fabs(x);
  if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
  if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
  return 0;
}

Kernel KernelOf(Filter filter) {
  switch (filter) {
    case Filter::Bilinear: return {1, Triangle};
    case Filter::Fast: return {0.5, Box};
    case Filter::Bicubic: break;
  }
  return {2, CatmullRom};
}

// For each output position along one axis: the first source position and the weights of the
// source positions from there (taps of them, zero-padded), summing to 1.
struct Weights {
  int32_t taps = 0;
  std::vector<int32_t> first;
  std::vector<int32_t> count;
  std::vector<float> weight;  // taps per output position
};

Weights MakeWeights(int32_t from, int32_t to, Kernel kernel) {
  const double scale = static_cast<double>(from) / to;
  const double stretch = std::max(scale, 1.0);
  const double support = kernel.radius * stretch;
  Weights w;
  w.taps = static_cast<int32_t>(std::ceil(support)) * 2 + 1;
  w.first.resize(to);
  w.count.resize(to);
  w.weight.assign(static_cast<std::size_t>(to) * w.taps, 0.0f);
  std::vector<double> raw(w.taps);
  for (int32_t i = 0; i < to; ++i) {
    const double center = (i + 0.5) * scale;
    int32_t lo = std::max(0, static_cast<int32_t>(std::floor(center - support + 0.5)));
    int32_t hi = std::min(from, static_cast<int32_t>(std::floor(center + support + 0.5)));
    hi = std::min(hi, lo + w.taps);
    double total = 0;
    for (int32_t x = lo; x < hi; ++x) total += raw[x - lo] = kernel.weight((x + 0.5 - center) / stretch);
    if (total == 0) {  // no pixel under the kernel: take the nearest
      lo = std::clamp(static_cast<int32_t>(center), 0, from - 1);
      hi = lo + 1;
      raw[0] = total = 1;
    }
    w.first[i] = lo;
    w.count[i] = hi - lo;
    float* out = &w.weight[static_cast<std::size_t>(i) * w.taps];
    for (int32_t t = 0; t < hi - lo; ++t) out[t] = static_cast<float>(raw[t] / total);
  }
  return w;
}

// Four floats in one register: a pixel's B, G, R, A.
using F4 = float __attribute__((vector_size(16)));
using U4 = uint8_t __attribute__((vector_size(4)));

// A source row as floats, colours premultiplied (alpha images) by their alpha of 0 to 255.
template <bool kAlpha>
void RowToFloats(const uint8_t* in, float* out, int32_t width) {
  const std::size_t n = static_cast<std::size_t>(width) * 4;
  for (std::size_t i = 0; i < n; ++i) out[i] = in[i];
  if constexpr (kAlpha) {
    for (std::size_t i = 0; i < n; i += 4) {
      const float a = out[i + 3];
      out[i] *= a, out[i + 1] *= a, out[i + 2] *= a;
    }
  }
}

// One source row filtered across: 4 floats per output pixel.
void FilterRow(const float* in, const Weights& w, float* out, int32_t width) {
  for (int32_t x = 0; x < width; ++x, out += 4) {
    const float* p = in + static_cast<std::size_t>(w.first[x]) * 4;
    const float* k = &w.weight[static_cast<std::size_t>(x) * w.taps];
    F4 sum{};
    for (int32_t t = 0, n = w.count[x]; t < n; ++t, p += 4) {
      F4 pixel;
      std::memcpy(&pixel, p, sizeof pixel);
      sum += pixel * k[t];
    }
    std::memcpy(out, &sum, sizeof sum);
  }
}

template <bool kAlpha>
void StoreRow(const float* in, uint8_t* out, int32_t width) {
  const F4 zero{}, top{255, 255, 255, 255}, half{0.5f, 0.5f, 0.5f, 0.5f};
  for (int32_t x = 0; x < width; ++x, in += 4, out += 4) {
    F4 v;
    std::memcpy(&v, in, sizeof v);
    if constexpr (kAlpha) {
      const float a = v[3];
      const float unmultiply = a > 0 ? 1.0f / a : 0.0f;
      v *= unmultiply;
      v[3] = a;
    } else {
      v[3] = 255;
    }
    v += half;
    v = v < zero ? zero : v;
    v = v > top ? top : v;
    const U4 bytes = __builtin_convertvector(v, U4);
    std::memcpy(out, &bytes, 4);
  }
}

void AddRow(float* sum, const float* row, float weight, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sum[i] += weight * row[i];
}

// Growing (or keeping) the height: each output row sums the few filtered source rows its
// window spans, kept in a ring by source row.
template <bool kAlpha>
void GrowInto(const Image& source, Image& target, const Weights& across, const Weights& down) {
  const std::size_t rowFloats = static_cast<std::size_t>(target.width) * 4;
  const int32_t ringRows = down.taps;
  std::vector<float> ring(rowFloats * ringRows);
  std::vector<float> sum(rowFloats);
  std::vector<float> sourceRow(static_cast<std::size_t>(source.width) * 4);
  int32_t filteredUpTo = 0;
  for (int32_t y = 0; y < target.height; ++y) {
    const int32_t first = down.first[y], count = down.count[y];
    for (filteredUpTo = std::max(filteredUpTo, first); filteredUpTo < first + count; ++filteredUpTo) {
      RowToFloats<kAlpha>(source.Row(filteredUpTo), sourceRow.data(), source.width);
      FilterRow(sourceRow.data(), across, &ring[rowFloats * (filteredUpTo % ringRows)], target.width);
    }
    std::fill(sum.begin(), sum.end(), 0.0f);
    const float* k = &down.weight[static_cast<std::size_t>(y) * down.taps];
    for (int32_t t = 0; t < count; ++t) AddRow(sum.data(), &ring[rowFloats * ((first + t) % ringRows)], k[t], rowFloats);
    StoreRow<kAlpha>(sum.data(), target.Row(y), target.width);
  }
}

// Shrinking the height: each filtered source row is added into the few output rows whose
// windows hold it, so memory stays a few rows however many source rows one output row spans.
template <bool kAlpha>
void ShrinkInto(const Image& source, Image& target, const Weights& across, const Weights& down) {
  const std::size_t rowFloats = static_cast<std::size_t>(target.width) * 4;
  auto end = [&](int32_t y) { return down.first[y] + down.count[y]; };
  // The most output rows open at once: those whose windows start inside one row's window.
  int32_t open = 1;
  for (int32_t y = 0, last = 0; y < target.height; ++y) {
    last = std::max(last, y);
    while (last + 1 < target.height && down.first[last + 1] < end(y)) ++last;
    open = std::max(open, last - y + 1);
  }
  std::vector<float> sums(rowFloats * open);
  std::vector<float> sourceRow(static_cast<std::size_t>(source.width) * 4);
  std::vector<float> filtered(rowFloats);
  int32_t done = 0, started = 0;  // output rows stored, and begun
  for (int32_t r = down.first[0]; done < target.height; ++r) {
    for (; started < target.height && down.first[started] <= r; ++started)
      std::fill_n(&sums[rowFloats * (started % open)], rowFloats, 0.0f);
    bool filteredRow = false;
    for (int32_t y = done; y < started; ++y) {
      if (r >= end(y)) continue;
      if (!filteredRow) {
        RowToFloats<kAlpha>(source.Row(r), sourceRow.data(), source.width);
        FilterRow(sourceRow.data(), across, filtered.data(), target.width);
        filteredRow = true;
      }
      const float weight = down.weight[static_cast<std::size_t>(y) * down.taps + (r - down.first[y])];
      AddRow(&sums[rowFloats * (y % open)], filtered.data(), weight, rowFloats);
    }
    for (; done < started && end(done) <= r + 1; ++done)
      StoreRow<kAlpha>(&sums[rowFloats * (done % open)], target.Row(done), target.width);
  }
}

template <bool kAlpha>
void ResampleInto(const Image& source, Image& target, const Weights& across, const Weights& down) {
  if (target.height < source.height)
    ShrinkInto<kAlpha>(source, target, across, down);
  else
    GrowInto<kAlpha>(source, target, across, down);
}

}  // namespace

Image Resample(const Image& source, Size size, Filter filter) {
  Image target = MakeImage(size.width, size.height, source.alpha);
  if (size == source.Dimensions()) {
    std::memcpy(target.pixels.get(), source.pixels.get(), source.Stride() * source.height);
    return target;
  }
  const Kernel kernel = KernelOf(filter);
  const Weights across = MakeWeights(source.width, size.width, kernel);
  const Weights down = MakeWeights(source.height, size.height, kernel);
  if (source.alpha)
    ResampleInto<true>(source, target, across, down);
  else
    ResampleInto<false>(source, target, across, down);
  return target;
}

}  // namespace zq::gr
