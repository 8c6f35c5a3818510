# moc runs on each file by itself, without include paths: our classes need nothing from
# the headers they include to be read, and without the paths moc is about a hundred times
# faster than under AUTOMOC, which kept the first seconds of every clean build waiting.

# Writes the moc output of source to output.
function(tavoro_moc_file source output)
    add_custom_command(OUTPUT ${output}
        COMMAND Qt6::moc --no-notes ${source} -o ${output}
        DEPENDS ${source} Qt6::moc VERBATIM)
endfunction()

# Every header among the target's sources goes through moc (those without classes for it
# give an empty file), and one file compiles all that comes out.
function(tavoro_moc target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(sourceDir ${target} SOURCE_DIR)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_moc)
    set(outputs)
    set(includes)
    foreach(source IN LISTS sources)
        if(source MATCHES "\\.h$")
            get_filename_component(path ${source} ABSOLUTE BASE_DIR ${sourceDir})
            get_filename_component(name ${source} NAME_WE)
            tavoro_moc_file(${path} ${folder}/moc_${name}.cpp)
            list(APPEND outputs ${folder}/moc_${name}.cpp)
            string(APPEND includes "#include \"moc_${name}.cpp\"\n")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT ${folder}/mocs.cpp CONTENT "${includes}")
    set_source_files_properties(${outputs} PROPERTIES HEADER_FILE_ONLY ON)
    set_source_files_properties(${folder}/mocs.cpp PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    target_sources(${target} PRIVATE ${outputs} ${folder}/mocs.cpp)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()
