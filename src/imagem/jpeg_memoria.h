/* Decoding one JPEG picture held in memory with libjpeg, behind a plain C interface. libjpeg
   reports a fatal error by calling a function that must not return; this decoder answers it
   with longjmp back into the one C function below, where no C++ object lives, so nothing is
   skipped that would need its destructor. */
#ifndef VX_IMAGEM_JPEG_MEMORIA_H
#define VX_IMAGEM_JPEG_MEMORIA_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Room for libjpeg's longest message (its JMSG_LENGTH_MAX). */
#define VX_JPEG_TAMANHO_MOTIVO 200

enum vx_jpeg_resultado {
    vx_jpeg_ok = 0,
    vx_jpeg_vazio = 1,               /* no bytes at all */
    vx_jpeg_corrompido = 2,          /* not a JPEG, truncated, or damaged data (even recoverable) */
    vx_jpeg_tamanho_errado = 3,      /* a sound picture of other width or height */
    vx_jpeg_componentes_errados = 4  /* a sound picture of another number of colour components */
};

/* Decodes `dados` (`tamanho` bytes) into `pixels`: `altura` rows of `largura` x `componentes`
   samples, red, green, blue for 3 components (1 is grey). The picture must have exactly that
   size and that many components; anything else is refused before a pixel is decoded.
   `capacidade` is the size of `pixels` and must hold the whole picture. On a refusal the
   contents of `pixels` are undefined, and `motivo` (VX_JPEG_TAMANHO_MOTIVO bytes, or null) receives
   libjpeg's own words when it was libjpeg that refused. */
int vx_jpeg_decodifica(const unsigned char* dados, size_t tamanho, unsigned largura, unsigned altura,
                       int componentes, unsigned char* pixels, size_t capacidade, char* motivo,
                       size_t tamanho_motivo);

#ifdef __cplusplus
}
#endif

#endif
