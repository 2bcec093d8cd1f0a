#include "runtime/AESDecipher.h"

#include <dlfcn.h>
#include <openssl/evp.h>

#include <algorithm>
#include <istream>
#include <memory>
#include <ostream>

#include "runtime/Exceptions.h"

namespace {

constexpr std::int64_t BlockSize = 16;

// Failures of the cipher library itself are platform faults, never a
// property of the data.
[[noreturn]] void CipherFailure() { throw EAESError("AES cipher failure"); }

void CheckCipher(int status) {
  if (status != 1) CipherFailure();
}

// The routines of libcrypto that deciphering needs. The library is loaded
// at the first decipherment rather than with the program: only packed
// libraries need it, and loading it is a large share of the start-up.
struct TCipherLibrary {
  decltype(&EVP_CIPHER_CTX_new) NewContext;
  decltype(&EVP_CIPHER_CTX_free) FreeContext;
  decltype(&EVP_aes_256_ecb) Aes256Ecb;
  decltype(&EVP_DecryptInit_ex) DecryptInit;
  decltype(&EVP_CIPHER_CTX_set_padding) SetPadding;
  decltype(&EVP_DecryptUpdate) DecryptUpdate;
};

template <class TRoutine>
void Resolve(void* library, const char* name, TRoutine& routine) {
  routine = reinterpret_cast<TRoutine>(dlsym(library, name));
  if (!routine) CipherFailure();
}

TCipherLibrary LoadCipherLibrary() {
  // Kept loaded for the rest of the process, like a linked library.
  void* library = dlopen("libcrypto.so.3", RTLD_NOW | RTLD_LOCAL);
  if (!library) CipherFailure();
  TCipherLibrary routines{};
  Resolve(library, "EVP_CIPHER_CTX_new", routines.NewContext);
  Resolve(library, "EVP_CIPHER_CTX_free", routines.FreeContext);
  Resolve(library, "EVP_aes_256_ecb", routines.Aes256Ecb);
  Resolve(library, "EVP_DecryptInit_ex", routines.DecryptInit);
  Resolve(library, "EVP_CIPHER_CTX_set_padding", routines.SetPadding);
  Resolve(library, "EVP_DecryptUpdate", routines.DecryptUpdate);
  return routines;
}

const TCipherLibrary& Cipher() {
  static const TCipherLibrary library = LoadCipherLibrary();
  return library;
}

struct TCipherContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { Cipher().FreeContext(context); }
};
using TCipherContext = std::unique_ptr<EVP_CIPHER_CTX, TCipherContextFree>;

// The key schedule is made once here; each block is then deciphered on its own.
TCipherContext MakeDecipherContext(const TAESKey& Key) {
  const TCipherLibrary& cipher = Cipher();
  TCipherContext context(cipher.NewContext());
  if (!context) CipherFailure();
  CheckCipher(cipher.DecryptInit(context.get(), cipher.Aes256Ecb(), nullptr, Key.data(), nullptr));
  CheckCipher(cipher.SetPadding(context.get(), 0));
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
  CheckCipher(Cipher().DecryptUpdate(context, plain, &produced, cipher, BlockSize));
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
