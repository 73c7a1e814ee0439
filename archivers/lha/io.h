// Where the codec's bytes come from and go to. Nothing here knows about paths: the caller opens
// files, so a file, memory or another stream can feed the codec alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lha {

// A forward-only stream of bytes (the data of one entry, packed or not).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to buf.size() bytes and returns how many; 0 means the end, or failure when
  // failed() is true afterwards.
  virtual std::size_t read(std::span<std::uint8_t> buf) = 0;
  virtual bool failed() const { return false; }
  // Starts over from the first byte, where the source can; false where it cannot.
  virtual bool rewind() { return false; }
};

class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> data) : all_(data), data_(data) {}
  std::size_t read(std::span<std::uint8_t> buf) override;
  bool rewind() override {
    data_ = all_;
    return true;
  }

 private:
  std::span<const std::uint8_t> all_;
  std::span<const std::uint8_t> data_;
};

// Adapts a callback: it returns the number of bytes read, 0 at the end, or -1 on failure.
// rewindFn, where given, starts the data over (a file seeking to its start).
class CallbackSource final : public ByteSource {
 public:
  using Fn = std::function<long(std::span<std::uint8_t>)>;
  explicit CallbackSource(Fn fn, std::function<bool()> rewindFn = {})
      : fn_(std::move(fn)), rewind_(std::move(rewindFn)) {}
  std::size_t read(std::span<std::uint8_t> buf) override;
  bool failed() const override { return failed_; }
  bool rewind() override { return !failed_ && rewind_ && rewind_(); }

 private:
  Fn fn_;
  std::function<bool()> rewind_;
  bool failed_ = false;
};

// Random access to a whole archive, so entries can be listed and extracted in any order.
class ArchiveInput {
 public:
  virtual ~ArchiveInput() = default;
  virtual std::uint64_t size() const = 0;
  // Reads up to buf.size() bytes at offset. Returns the count (short only at the end of the
  // input) or -1 on failure.
  virtual long readAt(std::uint64_t offset, std::span<std::uint8_t> buf) const = 0;
};

class MemoryInput final : public ArchiveInput {
 public:
  explicit MemoryInput(std::span<const std::uint8_t> data) : data_(data) {}
  std::uint64_t size() const override { return data_.size(); }
  long readAt(std::uint64_t offset, std::span<std::uint8_t> buf) const override;

 private:
  std::span<const std::uint8_t> data_;
};

// Reads an open file descriptor with pread; the descriptor stays owned by the caller.
class FdInput final : public ArchiveInput {
 public:
  explicit FdInput(int fd);
  bool valid() const { return size_ >= 0; }
  std::uint64_t size() const override { return size_ < 0 ? 0 : static_cast<std::uint64_t>(size_); }
  long readAt(std::uint64_t offset, std::span<std::uint8_t> buf) const override;

 private:
  int fd_;
  long long size_ = -1;
};

// A window [offset, offset + length) of an ArchiveInput read as a stream. It ends early where
// the input ends; only a read error counts as failure.
class RangeSource final : public ByteSource {
 public:
  RangeSource(const ArchiveInput &in, std::uint64_t offset, std::uint64_t length)
      : in_(in), pos_(offset), left_(length) {}
  std::size_t read(std::span<std::uint8_t> buf) override;
  bool failed() const override { return failed_; }

 private:
  const ArchiveInput &in_;
  std::uint64_t pos_;
  std::uint64_t left_;
  bool failed_ = false;
};

// Receives output in chunks; returning false stops the operation with Error::Aborted.
using Sink = std::function<bool(std::span<const std::uint8_t>)>;

// A sink that appends to a vector.
inline Sink vectorSink(std::vector<std::uint8_t> &out) {
  return [&out](std::span<const std::uint8_t> d) {
    out.insert(out.end(), d.begin(), d.end());
    return true;
  };
}

}  // namespace lha
