#include "runtime/AESDecipher.h"

#include <openssl/evp.h>

#include <algorithm>
#include <istream>
#include <memory>
#include <ostream>

#include "runtime/Exceptions.h"

namespace {

constexpr std::int64_t BlockSize = 16;

struct TCipherContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using TCipherContext = std::unique_ptr<EVP_CIPHER_CTX, TCipherContextFree>;

// Failures of the cipher library itself are platform faults, never a
// property of the data.
void CheckCipher(int status) {
  if (status != 1) throw EAESError("AES cipher failure");
}

// The key schedule is made once here; each block is then deciphered on its own.
TCipherContext MakeDecipherContext(const TAESKey& Key) {
  TCipherContext context(EVP_CIPHER_CTX_new());
  if (!context) throw EAESError("AES cipher failure");
  CheckCipher(EVP_DecryptInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, Key.data(), nullptr));
  CheckCipher(EVP_CIPHER_CTX_set_padding(context.get(), 0));
  return context;
}

// A source that cannot tell its position (a file that did not open, a stream
// failed before) has unknown bytes left, not none: deciphering it as empty
// would pass for success.
std::int64_t BytesLeft(std::istream& Source) {
  const std::streampos start = Source.tellg();
  Source.seekg(0, std::ios::end);
  const std::streampos end = Source.tellg();
  Source.seekg(start);
  if (start < 0 || end < 0) throw EStreamError("Stream read error");
  return end < start ? 0 : static_cast<std::int64_t>(end - start);
}

std::int64_t WholeSize(std::istream& Source) {
  Source.seekg(0);
  const std::int64_t size = BytesLeft(Source);
  if (size >= (std::int64_t{1} << 32)) throw ERangeError();
  return size;
}

void DecipherBlock(EVP_CIPHER_CTX* context, std::istream& Source, std::ostream& Dest) {
  unsigned char cipher[BlockSize];
  unsigned char plain[BlockSize];
  if (!Source.read(reinterpret_cast<char*>(cipher), BlockSize)) throw EStreamError("Stream read error");
  int produced = 0;
  CheckCipher(EVP_DecryptUpdate(context, plain, &produced, cipher, BlockSize));
  if (produced != BlockSize) throw EAESError("AES cipher failure");
  if (!Dest.write(reinterpret_cast<const char*>(plain), BlockSize)) throw EStreamError("Stream write error");
}

}  // namespace

void DecryptStreamAES256(std::istream& Source, std::int64_t Count, const TAESKey& Key, std::ostream& Dest) {
  if (Count > 0)
    Count = std::min(Count, BytesLeft(Source));
  else if (Count == 0)
    Count = WholeSize(Source);
  if (Count == 0) return;
  if (Count < 0 || Count % BlockSize != 0) throw EAESError("Invalid buffer size for decryption");
  const TCipherContext context = MakeDecipherContext(Key);
  for (std::int64_t block = 0; block < Count / BlockSize; ++block) DecipherBlock(context.get(), Source, Dest);
}
