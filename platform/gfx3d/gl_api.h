#pragma once

// The OpenGL 3.3 core entry points the 3D back end and the GL presenter call, fetched from
// the context through SDL once it is current.

#include <GL/glcorearb.h>

namespace platform {

// Every function used, with its pointer type's name: X(Name, TYPE) for glName and
// PFNGLTYPEPROC.
#define QVARN_GL_FUNCTIONS(X)                           \
    X(GetString, GETSTRING)                             \
    X(GetStringi, GETSTRINGI)                           \
    X(GetIntegerv, GETINTEGERV)                         \
    X(GetError, GETERROR)                               \
    X(Enable, ENABLE)                                   \
    X(Disable, DISABLE)                                 \
    X(BlendFunc, BLENDFUNC)                             \
    X(ColorMask, COLORMASK)                             \
    X(Viewport, VIEWPORT)                               \
    X(Scissor, SCISSOR)                                 \
    X(ClearColor, CLEARCOLOR)                           \
    X(Clear, CLEAR)                                     \
    X(ProvokingVertex, PROVOKINGVERTEX)                 \
    X(PixelStorei, PIXELSTOREI)                         \
    X(Finish, FINISH)                                   \
    X(GenTextures, GENTEXTURES)                         \
    X(DeleteTextures, DELETETEXTURES)                   \
    X(BindTexture, BINDTEXTURE)                         \
    X(ActiveTexture, ACTIVETEXTURE)                     \
    X(TexImage2D, TEXIMAGE2D)                           \
    X(TexSubImage2D, TEXSUBIMAGE2D)                     \
    X(TexParameteri, TEXPARAMETERI)                     \
    X(ReadPixels, READPIXELS)                           \
    X(GenFramebuffers, GENFRAMEBUFFERS)                 \
    X(DeleteFramebuffers, DELETEFRAMEBUFFERS)           \
    X(BindFramebuffer, BINDFRAMEBUFFER)                 \
    X(FramebufferTexture2D, FRAMEBUFFERTEXTURE2D)       \
    X(CheckFramebufferStatus, CHECKFRAMEBUFFERSTATUS)   \
    X(BlitFramebuffer, BLITFRAMEBUFFER)                 \
    X(GenBuffers, GENBUFFERS)                           \
    X(DeleteBuffers, DELETEBUFFERS)                     \
    X(BindBuffer, BINDBUFFER)                           \
    X(BufferData, BUFFERDATA)                           \
    X(BufferSubData, BUFFERSUBDATA)                     \
    X(GenVertexArrays, GENVERTEXARRAYS)                 \
    X(DeleteVertexArrays, DELETEVERTEXARRAYS)           \
    X(BindVertexArray, BINDVERTEXARRAY)                 \
    X(EnableVertexAttribArray, ENABLEVERTEXATTRIBARRAY) \
    X(VertexAttribPointer, VERTEXATTRIBPOINTER)         \
    X(VertexAttrib4f, VERTEXATTRIB4F)                   \
    X(DrawArrays, DRAWARRAYS)                           \
    X(DrawElementsBaseVertex, DRAWELEMENTSBASEVERTEX)   \
    X(GenSamplers, GENSAMPLERS)                         \
    X(DeleteSamplers, DELETESAMPLERS)                   \
    X(BindSampler, BINDSAMPLER)                         \
    X(SamplerParameteri, SAMPLERPARAMETERI)             \
    X(GetProgramiv, GETPROGRAMIV)                       \
    X(GetProgramInfoLog, GETPROGRAMINFOLOG)             \
    X(DeleteProgram, DELETEPROGRAM)                     \
    X(GetUniformLocation, GETUNIFORMLOCATION)           \
    X(CreateShaderProgramv, CREATESHADERPROGRAMV)       \
    X(GenProgramPipelines, GENPROGRAMPIPELINES)         \
    X(DeleteProgramPipelines, DELETEPROGRAMPIPELINES)   \
    X(BindProgramPipeline, BINDPROGRAMPIPELINE)         \
    X(UseProgramStages, USEPROGRAMSTAGES)               \
    X(ProgramUniform1i, PROGRAMUNIFORM1I)               \
    X(ProgramUniform1ui, PROGRAMUNIFORM1UI)             \
    X(ProgramUniform1f, PROGRAMUNIFORM1F)               \
    X(ProgramUniform4f, PROGRAMUNIFORM4F)

struct GlApi {
#define QVARN_GL_POINTER(name, type) PFNGL##type##PROC name = nullptr;
    QVARN_GL_FUNCTIONS(QVARN_GL_POINTER)
#undef QVARN_GL_POINTER
};

// The entry points of the current context; valid while a context lives.
extern GlApi gl;

// Fetches every entry point; false when one is missing.
bool LoadGlApi();

}  // namespace platform
