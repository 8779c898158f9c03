/* The only place where libjpeg is called: see jpeg_memoria.h. */
#include "imagem/jpeg_memoria.h"

#include <limits.h>
#include <setjmp.h>
#include <stdio.h> /* jpeglib.h needs FILE */
#include <string.h>

#include <jpeglib.h>

struct gerente_de_erros {
    struct jpeg_error_mgr padrao;
    jmp_buf retorno;
    char mensagem[JMSG_LENGTH_MAX];
};

#if JMSG_LENGTH_MAX > VX_JPEG_TAMANHO_MOTIVO
#error "libjpeg's messages are longer than VX_JPEG_TAMANHO_MOTIVO"
#endif

/* libjpeg's default would print the message and call exit(): the host process would end. */
static void sai_com_erro(j_common_ptr info) {
    struct gerente_de_erros* erros = (struct gerente_de_erros*)info->err;
    (*info->err->format_message)(info, erros->mensagem);
    longjmp(erros->retorno, 1);
}

/* Warnings (a truncated file, extraneous bytes) are counted and the first one kept; a picture
   that needed one is refused after decoding. Trace messages are dropped. Nothing is printed. */
static void guarda_aviso(j_common_ptr info, int nivel) {
    struct gerente_de_erros* erros = (struct gerente_de_erros*)info->err;
    if (nivel >= 0) return;
    if (info->err->num_warnings == 0) (*info->err->format_message)(info, erros->mensagem);
    info->err->num_warnings++;
}

static void nao_imprime(j_common_ptr info) { (void)info; }

static void copia_motivo(char* motivo, size_t tamanho_motivo, const char* mensagem) {
    size_t n;
    if (motivo == NULL || tamanho_motivo == 0) return;
    n = strlen(mensagem);
    if (n >= tamanho_motivo) n = tamanho_motivo - 1;
    memcpy(motivo, mensagem, n);
    motivo[n] = '\0';
}

int vx_jpeg_decodifica(const unsigned char* dados, size_t tamanho, unsigned largura, unsigned altura,
                       int componentes, unsigned char* pixels, size_t capacidade, char* motivo,
                       size_t tamanho_motivo) {
    struct jpeg_decompress_struct info;
    struct gerente_de_erros erros;
    size_t linha;
    volatile int resultado = vx_jpeg_ok; /* set after setjmp */

    copia_motivo(motivo, tamanho_motivo, "");
    if (dados == NULL || tamanho == 0) return vx_jpeg_vazio;
    if ((componentes != 1 && componentes != 3) || largura == 0 || altura == 0 || pixels == NULL)
        return vx_jpeg_componentes_errados;
    linha = (size_t)largura * (size_t)componentes;
    if (linha / (size_t)componentes != largura || capacidade / linha < altura) return vx_jpeg_tamanho_errado;
    if (tamanho > ULONG_MAX) return vx_jpeg_corrompido; /* more than libjpeg's memory source takes */

    memset(&info, 0, sizeof info);
    memset(&erros, 0, sizeof erros);
    info.err = jpeg_std_error(&erros.padrao);
    erros.padrao.error_exit = sai_com_erro;
    erros.padrao.emit_message = guarda_aviso;
    erros.padrao.output_message = nao_imprime;
    /* Every libjpeg call below may come back here instead of returning. From here on only
       libjpeg's own state changes (through its pointers), so nothing read afterwards is stale. */
    if (setjmp(erros.retorno) != 0) {
        jpeg_destroy_decompress(&info);
        copia_motivo(motivo, tamanho_motivo, erros.mensagem);
        return vx_jpeg_corrompido;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, dados, (unsigned long)tamanho);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return vx_jpeg_corrompido;
    }
    if (info.image_width != largura || info.image_height != altura) {
        jpeg_destroy_decompress(&info);
        return vx_jpeg_tamanho_errado;
    }
    if (info.num_components != componentes ||
        (componentes == 3 && info.jpeg_color_space != JCS_YCbCr && info.jpeg_color_space != JCS_RGB)) {
        jpeg_destroy_decompress(&info);
        return vx_jpeg_componentes_errados;
    }
    info.out_color_space = componentes == 3 ? JCS_RGB : JCS_GRAYSCALE;
    if (!jpeg_start_decompress(&info) || info.output_width != largura || info.output_height != altura ||
        info.output_components != componentes) {
        jpeg_destroy_decompress(&info);
        return vx_jpeg_corrompido;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW fila = pixels + linha * info.output_scanline;
        /* The memory source never suspends: no row read means no more data. */
        if (jpeg_read_scanlines(&info, &fila, 1) != 1) {
            resultado = vx_jpeg_corrompido;
            break;
        }
    }
    if (resultado == vx_jpeg_ok) jpeg_finish_decompress(&info);
    if (erros.padrao.num_warnings != 0) {
        resultado = vx_jpeg_corrompido;
        copia_motivo(motivo, tamanho_motivo, erros.mensagem);
    }
    jpeg_destroy_decompress(&info);
    return resultado;
}
