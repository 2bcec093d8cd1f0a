#pragma once
// The packing tool's side of packaged library files, for tests: the text is
// padded with blanks to whole blocks, XORed with the process-wide generator's
// byte stream from Seed, and enciphered with AES-256 in ECB mode.

#include <openssl/evp.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "runtime/AESDecipher.h"
#include "runtime/Random.h"

// Plain's length must be a multiple of 16.
inline std::string EncipherAES256(const std::string& plain, const TAESKey& key) {
  std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  std::string cipher(plain.size(), '\0');
  int produced = 0;
  if (EVP_EncryptInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr) != 1 ||
      EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
      EVP_EncryptUpdate(context.get(), reinterpret_cast<unsigned char*>(cipher.data()), &produced,
                        reinterpret_cast<const unsigned char*>(plain.data()), static_cast<int>(plain.size())) != 1 ||
      produced != static_cast<int>(plain.size()))
    throw std::runtime_error("cannot encipher");
  return cipher;
}

// Scrambling and unscrambling are the same XOR.
inline std::string ScrambleText(std::string text, std::uint32_t seed) {
  TRandom::Seed(seed);
  for (char& c : text) c = static_cast<char>(c ^ TRandom::Below(256));
  return text;
}

// The deciphered file is read whole, so the padding blanks reach the lexer.
inline std::string PackText(std::string text, const TAESKey& key, std::uint32_t seed) {
  text.append((16 - text.size() % 16) % 16, ' ');
  return EncipherAES256(ScrambleText(std::move(text), seed), key);
}
