"""The demonstration laboratory's RSA key pair: "public.key" beside the
program (the blob the seal engine imports) and the private half, for tests
only, as the blob that opens seals. Made from a fixed seed, so every build
writes the same pair."""
import random
import struct

BITS = 1024
CALG_RSA_KEYX = 0xA400


def probable_prime(rng, bits):
    while True:
        n = rng.getrandbits(bits) | (1 << (bits - 1)) | (1 << (bits - 2)) | 1
        if all(n % p for p in (3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37)) and miller_rabin(rng, n):
            return n


def miller_rabin(rng, n, rounds=40):
    d, s = n - 1, 0
    while d % 2 == 0:
        d, s = d // 2, s + 1
    for _ in range(rounds):
        x = pow(rng.randrange(2, n - 1), d, n)
        if x in (1, n - 1):
            continue
        for _ in range(s - 1):
            x = pow(x, 2, n)
            if x == n - 1:
                break
        else:
            return False
    return True


def le(value, length):
    return value.to_bytes(length, 'little')


def write(public_path, private_path, seed=20240611):
    rng = random.Random(seed)
    e = 65537
    while True:
        p, q = probable_prime(rng, BITS // 2), probable_prime(rng, BITS // 2)
        phi = (p - 1) * (q - 1)
        if p != q and phi % e and (p * q).bit_length() == BITS:
            break
    n, d = p * q, pow(e, -1, (p - 1) * (q - 1))
    half, full = BITS // 16, BITS // 8
    with open(public_path, 'wb') as f:
        f.write(struct.pack('<BBHI4sII', 6, 2, 0, CALG_RSA_KEYX, b'RSA1', BITS, e) + le(n, full))
    with open(private_path, 'wb') as f:
        f.write(struct.pack('<BBHI4sII', 7, 2, 0, CALG_RSA_KEYX, b'RSA2', BITS, e) + le(n, full) +
                le(p, half) + le(q, half) + le(d % (p - 1), half) + le(d % (q - 1), half) +
                le(pow(q, -1, p), half) + le(d, full))
