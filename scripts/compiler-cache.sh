# Sourced by the build scripts: compile through ccache, keyed on paths relative
# to the checkout, so a rebuild, another preset's shared sources or a fresh
# clone in another folder reuse what was compiled before. Takes effect when a
# build folder is first configured.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
CCACHE_BASEDIR="$(pwd -P)"
export CCACHE_BASEDIR CCACHE_NOHASHDIR=1
