# cmake -DTOOL=<drennow-section-names> -DIN=<template> -DOUT=<file> -P write-completion.cmake
execute_process(COMMAND ${TOOL} OUTPUT_VARIABLE names COMMAND_ERROR_IS_FATAL ANY)
string(STRIP "${names}" SECTION_NAMES)
configure_file(${IN} ${OUT} @ONLY)
